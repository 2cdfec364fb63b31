#pragma once

struct MainWindow;

// Handler of the 500 ms tick of 时钟1: the clock line and the blinking link line.
void OnClockTick(MainWindow& window);
