#pragma once
#include "reference/categories.h"

// Adds or corrects a revenue category.
class TAddPrzychody : public TCategoryEditor {
    Q_OBJECT
public:
    explicit TAddPrzychody(QWidget* parent = nullptr)
        : TCategoryEditor(CategoryKind::Revenues(), parent, "AddPrzychody") {}

protected:
    TCategoryList* List() const override;
};

extern TAddPrzychody* AddPrzychody;
