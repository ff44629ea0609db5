#include "app/viewer.h"

namespace habitopia {

namespace {

struct CommandName {
  ViewerCommand command;
  std::string_view name;
};

constexpr CommandName kCommandNames[] = {
    {ViewerCommand::Fit, "fit"}, {ViewerCommand::Restore, "restore"}, {ViewerCommand::Plan, "plan"},
    {ViewerCommand::Pan, "pan"}, {ViewerCommand::Turn, "turn"},       {ViewerCommand::Roll, "roll"},
};

}  // namespace

std::string_view ViewerCommandName(ViewerCommand command) {
  for (const CommandName& entry : kCommandNames)
    if (entry.command == command) return entry.name;
  return {};
}

std::optional<ViewerCommand> ViewerCommandFromName(std::string_view name) {
  for (const CommandName& entry : kCommandNames)
    if (entry.name == name) return entry.command;
  return std::nullopt;
}

}  // namespace habitopia
