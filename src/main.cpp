#include "app/Entry.h"

int main(int argc, char** argv)
{
    return nivora::entry(argc, argv);
}
