#include "app/startup.h"

int main(int argc, char **argv) { return tess::runTessaron(argc, argv); }
