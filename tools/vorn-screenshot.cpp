// Saves pictures of the editor window for the README: one in (U) and one in (J), each
// with a sample image loaded. Run it on a real display server (scripts/screenshots.sh).
#include "model/region.h"
#include "model/sampleimage.h"
#include "ui/dialogs.h"
#include "ui/tform1.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

using namespace vorn;

namespace {

// Accepts one file name and keeps every box closed.
class QuietDialogs : public Dialogs
{
public:
    explicit QuietDialogs(QString name) : m_name(std::move(name)) {}
    std::optional<QString> openFileName(QWidget *, const QString &) override { return m_name; }
    void message(QWidget *, const QString &) override {}
    void error(QWidget *, const QString &) override {}

private:
    QString m_name;
};

bool shoot(Region region, const QString &out)
{
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("sample.rom"));
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(sampleImage(region)) != SampleImageSize)
        return false;
    file.close();
    QuietDialogs dialogs(image);
    TForm1 form(dialogs);
    form.show();
    // Autoselect finds the region of the sample by itself.
    form.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    return form.grab().save(out);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle());
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: vorn-screenshot U.png J.png\n";
        return 2;
    }
    return shoot(Region::U, args[1]) && shoot(Region::J, args[2]) ? 0 : 1;
}
