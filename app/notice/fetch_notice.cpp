#include "notice/fetch_notice.h"

#include "shell/main_window.h"

// The notice step is not wired to the network yet: the window keeps its template state.
void FetchNotice(MainWindow&) {}

void OnLinkClicked(MainWindow&) {}
