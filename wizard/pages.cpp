// The four wizard windows, reached by every page through pages().
#include "wizard/pages.h"

namespace wizard {

Pages& pages() {
    static Pages all;
    return all;
}

}  // namespace wizard
