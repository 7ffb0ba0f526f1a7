#include "calc/regional_settings.h"

namespace velmora {

RegionalSettings CLocaleSettings() {
    return RegionalSettings{".", "", {}, true, NegativeNumberForm::LeadingHyphen};
}

} // namespace velmora
