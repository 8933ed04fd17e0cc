// The ECoS text protocol (also spoken by the Central Station 1): pure encoding and decoding over
// text, no I/O. Used by the driver, the simulator and the tests; plain values, any thread.
//
// Wire format: a command is one line "verb(id, arg, ...)" terminated by "\n". The command station
// answers each command with a block
//     <REPLY verb(id, arg, ...)>
//     <id> attr[value] attr[value]     (zero or more object lines)
//     <END 0 (OK)>
// and reports changes of objects the client views as blocks "<EVENT id>" ... "<END 0 (OK)>".
// Every line ends in CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace Ecos {

// ---- framing -----------------------------------------------------------------------------------

// Splits a byte stream into lines. A chunk may end anywhere (inside a line, between CR and LF);
// the incomplete tail is kept until its line is complete. CR is stripped; only LF ends a line.
// Bytes are Windows-1252 text.
class LineFramer {
public:
    // The lines completed by `bytes`, in order.
    QStringList push(QByteArrayView bytes);
    // Drops the incomplete tail (a new link starts clean).
    void reset() { tail_.clear(); }
    qsizetype pendingBytes() const { return tail_.size(); }

private:
    QByteArray tail_;
};

// ---- line helpers --------------------------------------------------------------------------------

bool isReplyHead(QStringView line); // "<REPLY ..."
bool isEventHead(QStringView line); // "<EVENT ..."
bool isEnd(QStringView line);       // "<END ..."

// The text between the first "[" and the first "]" after it; empty when there is none.
QString bracketContent(QStringView line);
// A state word as the command station writes it ("0x8001"): upper-cased, read from the right,
// each hex digit adds its value at its position; every other character ("0", "X") adds nothing
// but still takes a position. Only the lowest 32 bits are kept.
quint32 hexValue(QStringView text);
// Strict decimal number (optional sign); nullopt for anything else.
std::optional<int> number(QStringView text);

// One object line "<id> attr[value] attr[value] ..." or "<id> word" (product name line).
struct ObjectLine {
    QString id;    // the leading digits
    int idNumber = 0;
    std::vector<std::pair<QString, QString>> attributes; // name, raw value (quotes kept)

    // The first attribute of that name; nullopt when absent.
    std::optional<QString> value(QStringView name) const;
    friend bool operator==(const ObjectLine&, const ObjectLine&) = default;
};
// nullopt when the line does not start with a number followed by a blank or end.
// A value may contain "[" "]" "," inside double quotes ("\"Br [55]\"").
std::optional<ObjectLine> parseObjectLine(QStringView line);
// "\"V 160\"" -> "V 160"; a value without quotes is returned as it is.
QString unquote(QStringView value);

// "<END 0 (OK)>" -> status 0 and text "OK"; nullopt when the line is not an end line.
struct EndLine {
    int status = 0;
    QString text;
    friend bool operator==(const EndLine&, const EndLine&) = default;
};
std::optional<EndLine> parseEnd(QStringView line);

// ---- blocks ----------------------------------------------------------------------------------------

struct Block {
    enum class Kind { Reply, Event };
    Kind kind = Kind::Reply;
    QString head;        // REPLY: the command as the station repeats it; EVENT: the object id text
    QStringList lines;   // the lines between head and end
    int status = 0;      // of the end line
    QString statusText = QStringLiteral("OK");

    // Encoded as the command station sends it, every line ending in CR LF.
    QByteArray encode() const;
    friend bool operator==(const Block&, const Block&) = default;
};
// Parses one complete block (head, body, end line); nullopt when it is not one.
std::optional<Block> parseBlock(const QStringList& lines);

// ---- commands --------------------------------------------------------------------------------------

// A command as the simulator reads it: "set(1002, speed[12])" -> verb "set", id 1002,
// arguments {"speed[12]"}. Arguments are split at commas outside brackets and quotes, trimmed.
struct Command {
    QString verb;
    int id = 0;
    QStringList arguments;
    friend bool operator==(const Command&, const Command&) = default;
};
std::optional<Command> parseCommand(QStringView text);

// The bytes sent for a command: its text and "\n".
QByteArray encodeCommand(const QString& command);

// The command texts the driver sends, exactly as the command station expects them.
QString requestView(int id);                    // request(id, view)
QString requestControl(int id);                 // request(id, control, force)
QString requestControl(const QString& id);
QString releaseView(int id);                    // release(id, view)
QString releaseControl(const QString& id);      // release(id, control)
QString getInfo();                              // get(1, info)
QString setGo();                                // set(1, go)
QString setStop();                              // set(1, stop)
QString queryLocos();                           // queryObjects(10, addr, name)
QString queryLocoProtocols();                   // queryObjects(10, protocol)
QString queryAccessoryAddresses();              // queryObjects(11, addr)
QString queryAccessoryNames();                  // queryObjects(11, name1)
QString queryFeedbackModules();                 // queryObjects(26,ports)
QString setModulePorts(int id);                 // set(id, ports[16])
QString setSpeed(const QString& id, int speed); // set(id, speed[n])
QString setDirection(const QString& id, int d); // set(id , dir[d])
QString setFunction(const QString& id, int f, int v); // set(id, func[f, v])
QString setState(const QString& id, int p);     // set(id, state[p])
QString getAttribute(const QString& id, const QString& attribute); // get(id, attr)
QString getFuncSymbol(const QString& id, int n); // get(id, funcsymbol[n])

// For the protocol window's log: a line received ("<< ") or sent (">> ").
QString toString(const QString& line, bool sent);
// A block in one line: "REPLY set(1, go) [0 OK]" / "EVENT 100: 100 state[0x4] [0 OK]".
QString toString(const Block& block);

} // namespace Ecos
