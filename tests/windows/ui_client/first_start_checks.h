// The checks of the first start, each over the running window; RunFirstStartScenario runs them
// in this order.
#pragma once

#include "options.h"
#include "program.h"
#include "window_driver.h"

namespace ui_client {

inline constexpr wchar_t kWorkingFolder[] = L"C:\\korvalind";
inline constexpr wchar_t kSettingsFile[] = L"C:\\korvalind\\Set.ini";

// The width of the progress bar 标签1 in pixels.
int ProgressBarWidth(const WindowDriver& window);

// What the clean prefix and the fresh program folder must be before the first start.
void CheckCleanBeforeStart(const Options& options);
// The window's state, the library file and the settings file after start-up.
void CheckStartupState(const WindowDriver& window, const Options& options);
// A folder put into the folder box is in the settings file at once.
void CheckFolderStored(const WindowDriver& window, const Options& options);
// The default batch into the output folder.
void CheckDefaultBatch(const Program& program, const WindowDriver& window, const Options& options);
// 生成 with an empty text box, and the image-size mirror.
void CheckSingleAndMirror(const WindowDriver& window, const Options& options);
// The clock line under Chinese regional settings.
void CheckClockLine(const WindowDriver& window);
// Esc in an open drop-down list closes only the list.
void CheckEscapeInOpenLists(const Program& program, const WindowDriver& window);

}  // namespace ui_client
