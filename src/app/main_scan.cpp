#include "app/scan_entry.h"

int main(int argc, char** argv) {
    return ovant::runScan(argc, argv);
}
