// "Undo" and "Redu": numbered snapshots of the model in the working directory.

#include <filesystem>

#include "app/form_document.h"
#include "app/main_form.h"
#include "app/scoped_flag.h"
#include "files/model_reader.h"
#include "files/model_writer.h"

namespace habitopia {

ModelDocument MainForm::CurrentDocument(SaveKind kind) const {
  return MakeDocument(model_, CollectFormValues(state_, ports_.viewer.RendererName(), kind), kind);
}

void MainForm::SetUndoCommands() {
  state_.Command(CommandId::Undo).enabled = history_.Position() > 1;
  MarkChanged(kCommandsPart);
}

bool MainForm::backup() {
  if (model_.historyRestoring || model_.sliderMoving) return false;
  if (state_.regions.toolBox == ToolBox::CombinedObjects) {
    state_.regions.toolBox = ToolBox::None;
    MarkChanged(kRegionsPart);
  }
  std::string error;
  const char separator = Separator(state_);
  if (!history_.Append(FormatModelText(CurrentDocument(SaveKind::UndoSnapshot), {separator}),
                       error)) {
    ShowWriteFailure(history_.SnapshotPath(history_.Top() + 1), error);
    return false;
  }
  model_.undoPosition = history_.Position();
  model_.highestSnapshot = history_.Top();
  SetUndoCommands();
  return true;
}

bool MainForm::LoadSnapshot(int position) {
  model_.modelRestoring = true;
  model_.historyRestoring = true;
  const std::string previous = model_.modelFileName;
  const int before = history_.Position();
  history_.SetPosition(position);
  model_.undoPosition = position;
  ScopedFlag loading(snapshotLoading_);
  if (!LoadModelFile(history_.SnapshotPath(position), previous)) {
    // A snapshot that is missing or damaged is never loaded: the model stays.
    history_.SetPosition(before);
    model_.undoPosition = before;
    model_.modelFileName = previous;
    model_.modelRestoring = false;
    model_.historyRestoring = false;
    en_dis_able(true);
    return false;
  }
  return true;
}

void MainForm::undo1Click() {
  if (history_.Top() < 1) return;
  if (!LoadSnapshot(history_.Previous())) return;
  SetUndoCommands();
  state_.Command(CommandId::Redo).enabled = true;
  MarkChanged(kCommandsPart);
}

void MainForm::Redu1Click() {
  if (history_.Top() < 1) return;
  if (!LoadSnapshot(history_.Next())) return;
  SetUndoCommands();
  state_.Command(CommandId::Redo).enabled = history_.Position() < history_.Top();
  MarkChanged(kCommandsPart);
}

}  // namespace habitopia
