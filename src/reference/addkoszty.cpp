#include "reference/addkoszty.h"

#include "reference/koszty.h"

TAddKoszty* AddKoszty = nullptr;

TCategoryList* TAddKoszty::List() const {
    return Koszty;
}
