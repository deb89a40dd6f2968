#include "reference/przychody.h"

#include "reference/addprzychody.h"

TPrzychody* Przychody = nullptr;

TCategoryEditor* TPrzychody::Editor() const {
    return AddPrzychody;
}
