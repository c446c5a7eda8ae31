#include "host/SaverApp.h"

int main(int argc, char** argv) {
    return SaverMain(argc, argv);
}
