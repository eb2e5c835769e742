// Program entry of trelmrk-remove, which removes Trellmark from the machine.
#include "uninstall/uninstaller.h"

int main() {
    uninstall::RunUninstall();
    return 0;
}
