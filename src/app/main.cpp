#include "ui/app/QuorvelApplication.h"

int main(int argc, char **argv)
{
    return quorvel::runApplication(argc, argv);
}
