// How the program's windows show their modal boxes. Tests put a recorder in its place, so that
// no box blocks them and every message can be checked.
#pragma once

#include <string>
#include <vector>

#include "logic/calculation.h"

class QWidget;

namespace tintavis {

inline constexpr const char* kApplicationTitle = "TINTAVIS";

// A question in a modal box captioned "TINTAVIS": its text and answers, the answer Enter gives
// and the one Escape gives (indexes into `answers`).
struct Question {
  std::string text;
  std::vector<std::string> answers;
  int defaultAnswer = 0;
  int escapeAnswer = 0;
};

class Messenger {
 public:
  virtual ~Messenger() = default;
  // A prompt (no icon) or the error display (stop icon); caption "TINTAVIS", one OK button.
  virtual void Show(QWidget* parent, const Message& message) = 0;
  // The index of the answer chosen.
  virtual int Ask(QWidget* parent, const Question& question) = 0;
};

// The real boxes.
class MessageBoxMessenger : public Messenger {
 public:
  void Show(QWidget* parent, const Message& message) override;
  int Ask(QWidget* parent, const Question& question) override;
};

// The one messenger of the program; tests replace it.
Messenger& CurrentMessenger();
void SetMessenger(Messenger* messenger);  // nullptr puts the real boxes back

}  // namespace tintavis
