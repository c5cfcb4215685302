// Saving the tally to the user's file, and the contact link.
#include "window1.h"

#include "services.h"
#include "string_functions.h"

namespace {

// Longest file name the file systems here accept, in bytes.
constexpr int kMaxFileNameBytes = 255;

// True for a character that controls how text runs rather than showing:
// the C0 and C1 controls and DEL, the line and paragraph separators, and the
// bidirectional embeddings, overrides and isolates, which can make a file
// name read as another.
bool isControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return c.category() == QChar::Other_Control || u == 0x2028 || u == 0x2029 || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

// Why a cleaned ID cannot name a file here, or an empty text when it can.
QString fileNameProblem(const QString &cleanedId, const QString &fileName)
{
    for (const QChar c : cleanedId) {
        if (c == QLatin1Char('/'))
            return QStringLiteral("The UserID can not contain \"/\".");
        if (isControlCharacter(c))
            return QStringLiteral("The UserID can not contain control characters.");
    }
    if (fileName.toUtf8().size() > kMaxFileNameBytes)
        return QStringLiteral("The UserID is too long to name a file.");
    return QString();
}

} // namespace

void Window1::PushButton11_Action(PushButton *me)
{
    const Date today;
    if (TextField15()->Text() == QString()) {
        MsgBox(QStringLiteral("Please enter your UserID first"));
        return;
    }
    QString id = TextField15()->Text();
    id = ReplaceAll(id, QStringLiteral("."), QString());
    id = ReplaceAll(id, QStringLiteral(" "), QString());
    id = ReplaceAll(id, QStringLiteral(":"), QStringLiteral("-"));
    id = ReplaceAll(id, QStringLiteral("_"), QStringLiteral("-"));
    TextField15()->setText(id);

    const QString date = ReplaceAll(today.ShortDate(), QStringLiteral("/"), QStringLiteral("-"));
    const QString fileName = id + QLatin1Char('-') + date + QStringLiteral(".txt");
    const QString problem = fileNameProblem(id, fileName);
    if (!problem.isEmpty()) {
        MsgBox(problem);
        return;
    }

    // The whole block goes out in one checked write.
    const QString tab = Chr(9);
    QString block = QStringLiteral("TEAM (BCS#)_Strength") + tab + QStringLiteral("|| ") +
                    QStringLiteral("Number of Wins") + EndOfLine();
    for (int row = 0; row <= 7; ++row)
        block += Listbox1()->Cell(row, 0) + tab + QStringLiteral("|| ") + Listbox1()->Cell(row, 1) + EndOfLine();
    block += QStringLiteral("==========") + EndOfLine();

    try {
        const FolderItem file = GetFolderItem(fileName);
        std::unique_ptr<TextOutputStream> stream = file.Exists() ? file.AppendToTextFile() : file.CreateTextFile();
        stream->Write(block);
        stream->Close();
    } catch (const IOException &e) {
        MsgBox(QStringLiteral("The tally could not be saved: %1.").arg(e.message()));
        return;
    }
    me->setEnabled(false);
}

bool Window1::Label26_MouseDown(Label *me, int, int)
{
    ShowURL(QStringLiteral("mailto:") + me->Text());
    return false;
}

void Window1::Listbox1_Open(Listbox *)
{
}
