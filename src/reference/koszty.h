#pragma once
#include "reference/categories.h"

// The list of cost categories.
class TKoszty : public TCategoryList {
    Q_OBJECT
public:
    explicit TKoszty(QWidget* parent = nullptr)
        : TCategoryList(CategoryKind::Costs(), parent, "Koszty") {}

protected:
    TCategoryEditor* Editor() const override;
};

extern TKoszty* Koszty;
