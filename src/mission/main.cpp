// Zorvane: fly from the Earth to Mars, one spin of the cosmic wheel at a time.
#include "console/platform.h"
#include "mission/startup.h"

int main()
{
    installConsole(platformConsole());
    runGame();
}
