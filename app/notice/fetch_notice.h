#pragma once

struct MainWindow;

// The online notice step of start-up: sets the title and the notice controls of 分组框6.
void FetchNotice(MainWindow& window);

// Handler of a left-button press on 透明标签14: opens the notice's link.
void OnLinkClicked(MainWindow& window);
