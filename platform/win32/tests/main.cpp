// Runs every test of the Win32 backend; the exit code tells whether all passed.
#include "check.h"

int main() {
    return check::runAll();
}
