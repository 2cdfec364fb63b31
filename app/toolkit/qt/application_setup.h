#pragma once

class QApplication;

// What the Linux program sets up before its window: the toolkit's own dialogs and buttons in
// Chinese, as the rest of the window is, whatever the system language.
void PrepareApplication(QApplication& application);
