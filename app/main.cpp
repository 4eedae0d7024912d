#include "TVornApp.h"
#include "XGApplicationMain.h"

int main(int argc, char** argv) {
    return yaaf::XGApplicationMain(argc, argv, [] { return new TVornApp(); });
}
