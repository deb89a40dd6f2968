#pragma once
#include "reference/categories.h"

// The list of revenue categories.
class TPrzychody : public TCategoryList {
    Q_OBJECT
public:
    explicit TPrzychody(QWidget* parent = nullptr)
        : TCategoryList(CategoryKind::Revenues(), parent, "Przychody") {}

protected:
    TCategoryEditor* Editor() const override;
};

extern TPrzychody* Przychody;
