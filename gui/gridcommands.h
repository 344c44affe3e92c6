// The grid's changes as undoable commands on the main window's one undo stack: each keeps the
// sample store as it was before and after the change and puts one or the other back.
#pragma once

#include <QUndoCommand>
#include <functional>

#include "logic/samplestore.h"

namespace tintavis {

// What the user did; each kind is one command of the stack.
enum class GridAction { Calculate, EditCell, DeleteRows, ClearAll, Open, Import };

class GridChangeCommand : public QUndoCommand {
 public:
  // Puts a state back into the store and shows it.
  using Apply = std::function<void(const SampleStore::State&)>;

  // Pushed once the change has been made: the first redo has nothing to do.
  GridChangeCommand(GridAction action, SampleStore::State before, SampleStore::State after, Apply apply);

  void undo() override;
  void redo() override;
  int id() const override { return static_cast<int>(action_); }

  GridAction Action() const { return action_; }

 private:
  GridAction action_;
  SampleStore::State before_;
  SampleStore::State after_;
  Apply apply_;
  bool pending_ = true;
};

}  // namespace tintavis
