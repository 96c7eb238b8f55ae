// Quorvel starts here: the backup window first, as every start does.
#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
