#pragma once

// State kept by the main window and read by the ledger engine. The main
// window derives from it, so the engine needs no window class.
struct MainState {
    int AutoKp = 0;       // copy of PARAMETRY.AUTOKP
    int ManualRk = 0;     // copy of PARAMETRY.AUTORK
    int EntryMode = 0;    // 1 = new document, 2 = correction
    int SearchTarget = 0; // which category list the search shows
    int NextIsWb = 0;     // the document after a deleted WB is a WB too
};
