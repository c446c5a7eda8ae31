#include "startup/startup.h"

#include <allegro.h>

int main(int argc, char** argv) {
    return run_winzorbo(argc, argv);
}
END_OF_MAIN()
