#pragma once
#include "reference/categories.h"

// Adds or corrects a cost category.
class TAddKoszty : public TCategoryEditor {
    Q_OBJECT
public:
    explicit TAddKoszty(QWidget* parent = nullptr)
        : TCategoryEditor(CategoryKind::Costs(), parent, "AddKoszty") {}

protected:
    TCategoryList* List() const override;
};

extern TAddKoszty* AddKoszty;
