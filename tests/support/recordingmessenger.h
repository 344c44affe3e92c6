// Takes the place of the message boxes while a test runs: records every message instead of
// blocking on a modal box.
#pragma once

#include <vector>

#include "gui/messenger.h"

namespace tintavis::testing {

class RecordingMessenger : public Messenger {
 public:
  RecordingMessenger() { SetMessenger(this); }
  ~RecordingMessenger() override { SetMessenger(nullptr); }
  RecordingMessenger(const RecordingMessenger&) = delete;
  RecordingMessenger& operator=(const RecordingMessenger&) = delete;

  void Show(QWidget*, const Message& message) override { messages.push_back(message); }
  // Answers with the next of `answers`. Unscripted, the three-answer question about unsaved
  // samples gets its middle answer, "No guardar", so that tests of commands that clear the grid
  // go on as without the question; any other question gets its escape answer.
  int Ask(QWidget*, const Question& question) override {
    questions.push_back(question);
    if (answers.empty()) return question.answers.size() == 3 ? 1 : question.escapeAnswer;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }

  std::vector<Message> messages;
  std::vector<Question> questions;
  std::vector<int> answers;
};

}  // namespace tintavis::testing
