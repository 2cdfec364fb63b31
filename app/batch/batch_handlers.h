#pragma once

struct MainWindow;

// Hands the window's symbol settings to the library: the single text as message, white
// background, black modules, the selected version and level with mask pattern 4, 0.2 cm
// modules in the standard orientation without a frame.
void ApplySymbolSettings(MainWindow& window);

// 按钮2: one image file per line of 编辑框1 in the folder of 编辑框2, with preview and progress.
void RunBatch(MainWindow& window);

// 按钮3: the symbol of 编辑框123456 written to "a.jpg" in the program folder and shown; a symbol
// the image cannot hold whole is refused with a message, as a batch line is.
void GenerateSingle(MainWindow& window);

// 按钮4: writes "a.bmp" in the program folder, then saves the shown picture where the user picks.
void SaveSingle(MainWindow& window);

// 按钮1: lets the user pick the output folder and puts it into 编辑框2 (empty when cancelled).
void ChooseFolder(MainWindow& window);
