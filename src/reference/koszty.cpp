#include "reference/koszty.h"

#include "reference/addkoszty.h"

TKoszty* Koszty = nullptr;

TCategoryEditor* TKoszty::Editor() const {
    return AddKoszty;
}
