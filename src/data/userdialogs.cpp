#include "data/userdialogs.h"
#include <cstdio>

bool ConsoleDialogs::Ask(const QString& caption, const QString& text) {
    std::fprintf(stderr, "[%s] %s (Nie)\n", qPrintable(caption), qPrintable(text));
    return false;
}

void ConsoleDialogs::Show(const QString& caption, const QString& text, MsgIcon) {
    std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
}
