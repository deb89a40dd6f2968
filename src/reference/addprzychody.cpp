#include "reference/addprzychody.h"

#include "reference/przychody.h"

TAddPrzychody* AddPrzychody = nullptr;

TCategoryList* TAddPrzychody::List() const {
    return Przychody;
}
