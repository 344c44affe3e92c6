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

  std::vector<Message> messages;
};

}  // namespace tintavis::testing
