#pragma once

struct MainWindow;

// The start-up sequence run once when the window and its controls exist.
void OnMainWindowCreated(MainWindow& window);

// Fills 组合框_版本1: "自动", then one entry per symbol version; selects entry 0.
void FillVersionList(MainWindow& window);

// Shows the number of lines of 编辑框1 in 透明标签5.
void CountInputLines(MainWindow& window);

// Stores the content of 编辑框2 as the key "route" of section "preservation" in the settings file.
void OnFolderChanged(MainWindow& window);
