#pragma once

#include "FontLibrary.h"
#include "OutputFolder.h"

#include <QByteArray>
#include <QString>

namespace artgen {

// Produces every picture, text and document the program ships with: the pictures
// built into the program, and the folders and documents that lie beside it.
class ArtGenerator {
public:
    // `sourceFolder` holds the text and document sources; `caption` is lettered on
    // the title strips.
    ArtGenerator(const FontLibrary& fonts, QString sourceFolder, QString caption)
        : fonts_(fonts), sourceFolder_(std::move(sourceFolder)), caption_(std::move(caption)) { }

    // All of these throw std::runtime_error on a missing source or a failed write.
    void writeEmbedded(const OutputFolder& out) const;
    void writeBeside(const OutputFolder& out) const;

private:
    void writeChromeFiles(const OutputFolder& out) const;
    void writePictures(const OutputFolder& out) const;
    void writeReadingTexts(const OutputFolder& out) const;
    void writeDocuments(const OutputFolder& out) const;
    QByteArray readSource(const QString& relativePath) const;

    const FontLibrary& fonts_;
    QString sourceFolder_;
    QString caption_;
};

}  // namespace artgen
