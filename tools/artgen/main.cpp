// Build-time generator of the program's pictures, reading texts and documents.
//
//   pvstim_artgen --art DIR --files DIR [--sources DIR] [--caption TEXT]
//
// --art receives the pictures built into the program, --files the folders and
// documents that lie beside the executable. The output depends only on the
// sources, so two runs give the same bytes.
#include "ArtGenerator.h"
#include "FontLibrary.h"
#include "OutputFolder.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <exception>

#ifndef ARTGEN_SOURCE_DIR
#error "ARTGEN_SOURCE_DIR must name the folder of the text and document sources"
#endif
#ifndef ARTGEN_CAPTION
#define ARTGEN_CAPTION "pvstim"
#endif

int main(int argc, char** argv)
{
    // Pictures are drawn off screen; the generator must run without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Generates the artwork, reading texts and documents."));
    parser.addHelpOption();
    const QCommandLineOption artOption(QStringLiteral("art"), QStringLiteral("Folder for the built-in pictures."),
        QStringLiteral("dir"));
    const QCommandLineOption filesOption(QStringLiteral("files"),
        QStringLiteral("Folder for the files beside the executable."), QStringLiteral("dir"));
    const QCommandLineOption sourcesOption(QStringLiteral("sources"),
        QStringLiteral("Folder of the text and document sources."), QStringLiteral("dir"),
        QStringLiteral(ARTGEN_SOURCE_DIR));
    const QCommandLineOption captionOption(QStringLiteral("caption"),
        QStringLiteral("Caption lettered on the title strips."), QStringLiteral("text"),
        QStringLiteral(ARTGEN_CAPTION));
    parser.addOptions({ artOption, filesOption, sourcesOption, captionOption });
    parser.process(app);
    if (!parser.isSet(artOption) || !parser.isSet(filesOption)) {
        std::fprintf(stderr, "pvstim_artgen: both --art and --files are required\n");
        return 2;
    }

    try {
        const artgen::FontLibrary fonts;
        const artgen::ArtGenerator generator(fonts, parser.value(sourcesOption), parser.value(captionOption));
        generator.writeEmbedded(artgen::OutputFolder(parser.value(artOption)));
        generator.writeBeside(artgen::OutputFolder(parser.value(filesOption)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "pvstim_artgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
