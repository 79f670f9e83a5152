// Writes the data the program delivers into its program folder: the themes, the player's skin
// pictures, the icon and pointer, and the demo music pack. Run by the build; a second run with
// nothing changed writes nothing.

#include "player/logic/skin/skinnames.h"
#include "tools/gendata/icons.h"
#include "tools/gendata/jingles.h"
#include "tools/gendata/outputfiles.h"
#include "tools/gendata/packdelivery.h"
#include "tools/gendata/skins.h"
#include "tools/gendata/themeart.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>

namespace {

void writeSkins(OutputFiles &out)
{
    const QList<Skins::Picture> pictures = Skins::draw();
    QHash<QString, QSize> drawn;
    for (const Skins::Picture &picture : pictures) {
        out.writeImage(u"gr/" + picture.name + u".jpg", picture.image, "JPG");
        drawn.insert(picture.name, picture.image.size());
    }
    // The player loads these names and nothing else: each must be on disk and readable at the
    // size it was drawn.
    const QStringList names = SkinNames::all();
    for (const QString &name : names) {
        const QString file = u"gr/" + name + u".jpg";
        if (!drawn.contains(name)) {
            out.fail(u"no picture is drawn for " + file);
            continue;
        }
        QImageReader reader(out.path(file));
        if (reader.size() != drawn.value(name))
            out.fail(file + u" is missing or unreadable: " + reader.errorString());
    }
    if (drawn.size() != names.size())
        out.fail(QStringLiteral("the skin draws %1 pictures, the player loads %2")
                     .arg(drawn.size())
                     .arg(names.size()));
}

void writeThemes(OutputFiles &out)
{
    for (const ThemeArt::Theme &theme : ThemeArt::draw()) {
        const QString folder = u"Temi/" + theme.folder + u'/';
        out.write(folder + theme.folder + u".ini", theme.file);
        // JPEG: the board picture decodes in a fraction of the time a PNG takes at start-up.
        out.writeImage(folder + theme.boardName, theme.board, "JPG");
        out.writeImage(folder + theme.exitName, theme.exit, "PNG");
    }
}

// The icon in the sizes a desktop's icon theme looks for: DIR/<N>x<N>/apps/zefiro.png.
int writeThemeIcons(const QString &folder)
{
    OutputFiles out(QDir(folder).absolutePath());
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        out.writeImage(QStringLiteral("%1x%1/apps/zefiro.png").arg(size), Icons::programIcon(size),
                       "PNG");
    for (const QString &error : out.errors())
        QTextStream(stderr) << "gendata: " << error << '\n';
    return out.errors().isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == u"--icons")
        return writeThemeIcons(args.at(2));
    if (args.size() != 2) {
        err << "usage: gendata <program folder> | gendata --icons <icon theme folder>\n";
        return 2;
    }

    OutputFiles out(QDir(args.at(1)).absolutePath());
    writeThemes(out);
    writeSkins(out);
    // Names without the program's name: the start-up clean-up removes files that carry it.
    out.writeImage(QStringLiteral("icona.png"), Icons::programIcon(), "PNG");
    out.writeImage(QStringLiteral("puntatore.png"), Icons::pointer(), "PNG");
    out.write(QStringLiteral("gr/prenotazione.wav"), Jingles::bookingChime());
    const bool packWritten = PackDelivery::deliver(out, Jingles::compose());

    for (const QString &error : out.errors())
        err << "gendata: " << error << '\n';
    if (!out.errors().isEmpty())
        return 1;
    QTextStream(stdout) << "gendata: " << out.written() << " files written"
                        << (packWritten ? "" : "; music pack already taken over, not delivered")
                        << '\n';
    return 0;
}
