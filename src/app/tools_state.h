#pragma once
// The contents of the tool group boxes laid over the tables region.

namespace habitopia {

struct ToolsState {};

}  // namespace habitopia
