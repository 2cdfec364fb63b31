#include <windows.h>

#include "client/checks.h"
#include "first_start_checks.h"
#include "text.h"
#include "waiting.h"

namespace ui_client {

using qrwin::Check;

void CheckEscapeInOpenLists(const Program& program, const WindowDriver& window) {
    const auto input = window.Text("编辑框1");
    for (const char* list : {"组合框_版本1", "组合框_纠错1"}) {
        const std::string name = list;
        window.ShowDropDown(list);
        const bool opened = WaitUntil([&] { return window.IsDropped(list) == true; }, 30, 100);
        if (!Check(opened, name + " opens with CB_SHOWDROPDOWN")) continue;
        window.PressKey(list, VK_ESCAPE);
        const bool closed = WaitUntil(
            [&] { return !program.Running() || window.IsDropped(list) == false; }, 30, 100);
        // Had the key reached the window, it would be gone by now.
        Pause(1000);
        Check(closed && program.Running() && window.Answers(),
              "Esc in the open " + name + " closes the list and leaves the window open",
              program.Running() ? "the list stays open" : "the program ended");
    }
    Check(program.Running() && window.Text("编辑框1") == input,
          "编辑框1 keeps its text after Esc in the open lists");
}

}  // namespace ui_client
