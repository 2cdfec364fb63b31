#pragma once

#include <functional>

// Every control event of the main window reaches its behaviour through here, on the GUI
// thread, so that one handler runs at a time whatever the toolkit. A handler may wait in a
// loop of the toolkit's (a message box, a file dialog, the network wait at start-up) in which
// the toolkit goes on delivering events, timer ticks above all; those must not run a second
// handler in the middle of the first.
//
// A change of an edit box's content belongs to whatever made it: when code in a handler
// assigns a text, the box's own handler runs at once, inside that handler. Every other event
// (the creation of the window, a click, a press on the link, a timer tick) starts a handler of
// its own and runs only when none is running; otherwise it is dropped. User input cannot reach
// the window while a handler waits, and the next tick comes soon enough.
class EventGate {
  public:
    // An event that starts a handler of its own. False when it was dropped.
    bool Start(const std::function<void()>& handler);
    // A change of content: runs at once, inside the running handler if there is one.
    void Follow(const std::function<void()>& handler);

    bool Busy() const { return depth_ > 0; }
    // Runs each time the outermost handler has returned (a close asked for inside a handler
    // happens then).
    std::function<void()> whenIdle;

  private:
    void Run(const std::function<void()>& handler);

    int depth_ = 0;
};
