#include "app/shell/Application.h"

int main(int argc, char** argv)
{
    return qw::runQuenwick(argc, argv);
}
