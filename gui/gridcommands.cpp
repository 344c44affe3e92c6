#include "gui/gridcommands.h"

namespace tintavis {

GridChangeCommand::GridChangeCommand(GridAction action, SampleStore::State before, SampleStore::State after,
                                     Apply apply)
    : action_(action), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)) {}

void GridChangeCommand::undo() { apply_(before_); }

void GridChangeCommand::redo() {
  if (pending_) {
    pending_ = false;
    return;
  }
  apply_(after_);
}

}  // namespace tintavis
