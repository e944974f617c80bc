// "Справка", "Книга" and "Обзор...": the documents beside the executable and the
// reading text chosen by hand.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/Label.h"
#include "run/StimulationWindow.h"

#include <QFileDialog>
#include <QMouseEvent>

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::AppTest;
using pvstim::test::writeFile;

namespace {

void click(QWidget* control)
{
    const QPointF p(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, p, control->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, control->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QCoreApplication::sendEvent(control, &release);
}

class DocumentsTest : public AppTest {
protected:
    void prepare() override
    {
        writeFile(dir.path(), QStringLiteral("Ритмы.doc"), "{\\rtf1 }");
        writeFile(dir.path(), QStringLiteral("ReadMe.txt"), "read me");
        writeFile(dir.path(), QStringLiteral("Vellamor.doc"), "{\\rtf1 }");
    }

    void TearDown() override
    {
        QDir::setCurrent(savedCurrent);
        AppTest::TearDown();
    }

    // Answers the next file dialog by confirming `file`, or cancels it when empty;
    // remembers how the dialog was set up.
    void answerDialog(const QString& file)
    {
        fake.dialogScript = [this, file](QDialog& dialog) {
            auto* fileDialog = qobject_cast<QFileDialog*>(&dialog);
            if (!fileDialog) {
                ADD_FAILURE() << "not a file dialog";
                return int(QDialog::Rejected);
            }
            ++dialogsRun;
            seenFolder = fileDialog->directory().absolutePath();
            seenFilters = fileDialog->nameFilters();
            seenMode = fileDialog->fileMode();
            seenAcceptMode = fileDialog->acceptMode();
            seenNative = !fileDialog->testOption(QFileDialog::DontUseNativeDialog);
            if (file.isEmpty())
                return int(QDialog::Rejected);
            fileDialog->selectFile(file);
            return int(QDialog::Accepted);
        };
    }

    QStringList readingText() const { return stimulationWindow()->readingText.lines(); }
    QString textLine() const { return stimulationWindow()->textLine->Caption(); }

    QString savedCurrent = QDir::currentPath();
    int dialogsRun = 0;
    QString seenFolder;
    QStringList seenFilters;
    QFileDialog::FileMode seenMode = QFileDialog::ExistingFile;
    QFileDialog::AcceptMode seenAcceptMode = QFileDialog::AcceptSave;
    bool seenNative = true;
};

// ---- Help and book ----------------------------------------------------------------

TEST_F(DocumentsTest, HelpOpensBothDocumentsInOrder)
{
    click(controlWindow()->helpButton);
    EXPECT_EQ(fake.openedDocuments, QStringList({ path("Ритмы.doc"), path("ReadMe.txt") }));
    click(controlWindow()->bookButton);
    EXPECT_EQ(fake.openedDocuments.size(), 3);
    EXPECT_EQ(fake.openedDocuments.value(2), path("Vellamor.doc"));
}

TEST_F(DocumentsTest, HelpStillOpensTheSecondDocumentWhenTheFirstIsMissing)
{
    ASSERT_TRUE(QFile::remove(path("Ритмы.doc")));
    controlWindow()->onHelpClicked();
    ASSERT_EQ(fake.openedDocuments.size(), 2);
    EXPECT_EQ(fake.openedDocuments.value(1), path("ReadMe.txt"));
    EXPECT_TRUE(fake.errors.isEmpty());
}

TEST_F(DocumentsTest, DocumentsAreFoundBesideTheExecutableFromAnyCurrentFolder)
{
    QTemporaryDir elsewhere;
    writeFile(elsewhere.path(), QStringLiteral("Vellamor.doc"), "decoy");
    writeFile(elsewhere.path(), QStringLiteral("ReadMe.txt"), "decoy");
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));

    controlWindow()->onHelpClicked();
    controlWindow()->onBookClicked();
    ASSERT_EQ(fake.openedDocuments.size(), 3);
    for (const QString& opened : fake.openedDocuments) {
        EXPECT_TRUE(QFileInfo(opened).isAbsolute()) << opened.toStdString();
        EXPECT_EQ(QFileInfo(opened).absolutePath(), QFileInfo(dir.path()).absoluteFilePath()) << opened.toStdString();
        EXPECT_TRUE(QFileInfo::exists(opened)) << opened.toStdString();
    }
}

// ---- Text choice ------------------------------------------------------------------

TEST_F(DocumentsTest, DialogOpensInTheTextFolderWithTheTextFilter)
{
    answerDialog({});
    controlWindow()->browseButton->show();
    click(controlWindow()->browseButton);
    ASSERT_EQ(dialogsRun, 1);
    EXPECT_EQ(seenFolder, QFileInfo(path("to_read")).absoluteFilePath());
    EXPECT_EQ(seenFilters, QStringList { QStringLiteral("txt (*.txt)") });
    EXPECT_EQ(seenMode, QFileDialog::AnyFile) << "a typed name need not exist";
    EXPECT_EQ(seenAcceptMode, QFileDialog::AcceptOpen);
    EXPECT_FALSE(seenNative);

    // Set again before each opening, from wherever the process now is.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    controlWindow()->browseForText();
    EXPECT_EQ(seenFolder, QFileInfo(path("to_read")).absoluteFilePath());
}

struct ChoiceCase {
    const char* name;
    const char* file;
    QByteArray contents;
    QStringList expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class DocumentsChoice : public DocumentsTest, public ::testing::WithParamInterface<ChoiceCase> { };

TEST_P(DocumentsChoice, ConfirmedFileBecomesTheReadingTextAtOnce)
{
    const ChoiceCase& c = GetParam();
    writeFile(dir.path(), QString::fromUtf8(c.file), c.contents);
    answerDialog(path(QString::fromUtf8(c.file)));
    controlWindow()->browseForText();
    EXPECT_EQ(readingText(), c.expected);
    EXPECT_EQ(textLine(), c.expected.first());
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, DocumentsChoice,
    ::testing::Values(
        ChoiceCase { "ThreeLines", "to_read/three.txt", "one\r\ntwo\r\nthree\r\n",
            { "three.txt", "one", "two", "three" } },
        ChoiceCase { "Empty", "to_read/empty.txt", "", { "empty.txt" } },
        ChoiceCase { "Cp1251", "to_read/ansi.txt", QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\n"),
            { "ansi.txt", QStringLiteral("Привет") } },
        ChoiceCase { "OtherFolderAnyExtension", "elsewhere/notes.text", "line",
            { "notes.text", "line" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentsTest, SecondChoiceReplacesTheFirstWhole)
{
    writeFile(dir.path(), QStringLiteral("to_read/first.txt"), "1\n2\n3\n4\n5\n");
    writeFile(dir.path(), QStringLiteral("to_read/second.txt"), "only\n");
    answerDialog(path("to_read/first.txt"));
    controlWindow()->browseForText();
    ASSERT_EQ(readingText().size(), 6);
    answerDialog(path("to_read/second.txt"));
    controlWindow()->browseForText();
    EXPECT_EQ(readingText(), QStringList({ "second.txt", "only" }));
    EXPECT_EQ(textLine(), QStringLiteral("second.txt"));
}

TEST_F(DocumentsTest, CancelChangesNothing)
{
    writeFile(dir.path(), QStringLiteral("to_read/kept.txt"), "kept line\n");
    answerDialog(path("to_read/kept.txt"));
    controlWindow()->browseForText();
    ASSERT_EQ(readingText(), QStringList({ "kept.txt", "kept line" }));

    answerDialog({});
    controlWindow()->browseForText();
    EXPECT_EQ(dialogsRun, 2);
    EXPECT_EQ(readingText(), QStringList({ "kept.txt", "kept line" }));
    EXPECT_EQ(textLine(), QStringLiteral("kept.txt"));
    EXPECT_TRUE(fake.errors.isEmpty());
}

TEST_F(DocumentsTest, MissingFileShowsTheOpenErrorAndChangesNothing)
{
    writeFile(dir.path(), QStringLiteral("to_read/kept.txt"), "kept line\n");
    answerDialog(path("to_read/kept.txt"));
    controlWindow()->browseForText();

    const QString missing = path("to_read/typed by hand.txt");
    answerDialog(missing);
    controlWindow()->browseForText();
    ASSERT_EQ(fake.errors.size(), 1);
    EXPECT_TRUE(fake.errors.first().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)))
        << fake.errors.first().toStdString();
    EXPECT_GT(fake.errors.first().size(), QStringLiteral("Cannot open file \"%1\". ").arg(missing).size())
        << "the system's reason follows";
    EXPECT_EQ(readingText(), QStringList({ "kept.txt", "kept line" }));
    EXPECT_EQ(textLine(), QStringLiteral("kept.txt"));
}

}  // namespace
