#include "Startup.h"
#include "TForm1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Startup::setUpApplication(app);
    TForm1 form;
    form.show();
    return app.exec();
}
