#include "track/TrackFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <locale>
#include <ostream>
#include <sstream>

#include "objects/GameObject.h"
#include "track/RecordTable.h"
#include "world/World.h"

namespace {

// The longest piece of an unreadable word quoted back.
constexpr std::size_t kQuotedLength = 16;

// Line numbers of positions met in increasing order, counted as they come.
class LineCounter {
public:
    explicit LineCounter(const std::string& t) : text(t) {}
    int at(std::size_t position) {
        for (; counted < position && counted < text.size(); ++counted)
            if (text[counted] == '\n') ++line;
        return line;
    }

private:
    const std::string& text;
    std::size_t counted = 0;
    int line = 1;
};

// A field of a record could not be read from `position` on: what stands
// there, and its line.
void describeStop(const std::string& text, std::size_t position, LineCounter& lines, TrackFile::Break& stop) {
    const auto space = [&text](std::size_t i) { return std::isspace(static_cast<unsigned char>(text[i])) != 0; };
    std::size_t word = position;
    while (word < text.size() && space(word)) ++word;
    if (word >= text.size()) {
        // cut off by the end: named on the line of the last thing written
        while (position > 0 && space(position - 1)) --position;
        stop.line = lines.at(position > 0 ? position - 1 : 0);
        stop.found = "the end of the file";
        return;
    }
    stop.line = lines.at(word);
    std::string quoted;
    for (std::size_t i = word; i < text.size() && !space(i); ++i) {
        if (quoted.size() == kQuotedLength) {
            quoted += "...";
            break;
        }
        quoted += std::isprint(static_cast<unsigned char>(text[i])) ? text[i] : '?';
    }
    stop.found = "\"" + quoted + "\"";
}

// Where `in` stands in `text`; the end once it has met the end.
std::size_t offsetOf(std::istream& in, const std::string& text) {
    const std::streamoff at = in.good() ? static_cast<std::streamoff>(in.tellg()) : -1;
    return at < 0 || static_cast<std::size_t>(at) > text.size() ? text.size() : static_cast<std::size_t>(at);
}

// The fields of a record of `kind` after its letter, into `record`; a field
// that cannot be read stops the reading and says why in `stop`.
void readFields(std::istream& in, const std::string& text, const RecordKind& kind, TrackFile::Record& record,
                LineCounter& lines, TrackFile::Break& stop) {
    const int count = 3 + kind.fieldCount;
    double point[3] = {0.0, 0.0, 0.0};
    for (int f = 0; f < count; ++f) {
        const bool onPoint = f < 3;
        const char* name = onPoint ? RecordTable::kPointFields[f] : kind.fields[f - 3].name;
        const bool whole = !onPoint && kind.fields[f - 3].whole;
        const std::size_t before = offsetOf(in, text);
        // each through a temporary: a field that fails keeps its default
        double d = 0.0;
        int n = 0;
        if (whole ? static_cast<bool>(in >> n) : static_cast<bool>(in >> d)) {
            if (onPoint)
                point[f] = d;
            else
                record.fields[record.fieldsRead++] = whole ? n : d;
            continue;
        }
        record.complete = false;
        describeStop(text, before, lines, stop);
        stop.expected = std::string(whole ? "a whole number" : "a number") + " for the " + name + " of a " +
                        kind.name + " record (" + kind.letter + ")";
        break;
    }
    record.position = Vector3(point[0], point[1], point[2]);
}

}  // namespace

std::string TrackFile::Break::describe() const {
    return "line " + std::to_string(line) + ": expected " + expected + ", found " + found;
}

std::vector<TrackFile::Record> TrackFile::scan(const std::string& text, Break* broke) {
    std::vector<Record> records;
    Break stop;
    LineCounter lines(text);
    std::istringstream in(text);
    // numbers are always in the "C" form, whatever the player's locale
    in.imbue(std::locale::classic());
    bool ended = false;
    char c;
    while (!ended && stop.line == 0 && in >> c) {
        if (c == RecordTable::kEndLetter) {
            ended = true;
            break;
        }
        // anything else that starts no record is skipped a character at a time
        const RecordKind* kind = RecordTable::find(c);
        if (!kind) continue;
        Record record;
        record.line = lines.at(offsetOf(in, text) - 1);
        record.letter = c;
        readFields(in, text, *kind, record, lines, stop);
        records.push_back(record);
    }
    if (!ended && stop.line == 0) {
        describeStop(text, text.size(), lines, stop);
        stop.expected = "the end line E";
    }
    if (broke) *broke = stop;
    return records;
}

TrackFile::Break TrackFile::read(World& world, std::istream& stream) {
    // the whole text first, so a break can be placed on its line
    std::string text;
    char chunk[1 << 14];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0)
        text.append(chunk, static_cast<std::size_t>(stream.gcount()));
    if (stream.bad()) return Break();
    Break stop;
    for (const Record& r : scan(text, &stop)) {
        GameObject* o = RecordTable::find(r.letter)->make(world);
        o->setPosition(r.position);
        o->takeRecordFields(r.fields, r.fieldsRead);
        world.addObject(o);
    }
    return stop;
}

void TrackFile::write(const std::vector<GameObject*>& objects, std::ostream& out) {
    out.imbue(std::locale::classic());
    for (const GameObject* o : objects) {
        const RecordKind* kind = RecordTable::find(o->typeCode());
        if (!kind) continue;
        const Vector3 p = o->getPosition();
        out << kind->letter << ' ' << p.x << ' ' << p.y << ' ' << p.z;
        const GameObject::RecordFields fields = o->recordFields();
        for (int f = 0; f < kind->fieldCount; ++f) {
            out << ' ';
            if (kind->fields[f].whole)
                out << static_cast<int>(fields[f]);
            else
                out << fields[f];
        }
        out << '\n';
    }
    out << RecordTable::kEndLetter << '\n';
}

std::string TrackFile::text(const std::vector<GameObject*>& objects) {
    std::ostringstream out;
    write(objects, out);
    return out.str();
}

std::string TrackFile::reason(int error) {
    switch (error) {
        case Failure::kPipe: return "it is a pipe, not a file";
        case Failure::kDevice: return "it is a device, not a file";
        case Failure::kTooBig: return "it is larger than " + std::to_string(kMostBytes >> 20) + " MiB, far more than a track";
        case Failure::kNotAFile: return "it is not a regular file";
        case EISDIR: return "it is a folder";
        case ENOENT: return "there is no such file";
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is used up";
        case EACCES:
        case EPERM: return "permission denied";
        case EROFS: return "the disk is read-only";
        default: return std::strerror(error);
    }
}

std::string TrackFile::Failure::describe() const { return file + ": " + reason(error); }

bool TrackFile::load(const std::string& path, std::string& text, Failure* why) {
    const auto fail = [&](int error) {
        if (why) *why = Failure{path, error};
        return false;
    };
    // Opened without waiting, then asked what it is: a pipe opened for
    // reading would otherwise wait for a writer for ever, and a stat before
    // the open could be told about another file than the one opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    struct stat st;
    int error = 0;
    if (fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (S_ISFIFO(st.st_mode))
        error = Failure::kPipe;
    else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        error = Failure::kDevice;
    else if (!S_ISREG(st.st_mode))
        error = Failure::kNotAFile;
    else if (st.st_size > kMostBytes)
        error = Failure::kTooBig;
    std::string read;
    char chunk[1 << 14];
    // a file that grows while it is read stops at the bound all the same
    while (error == 0) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        // the game's signal handlers restart reads, so a failed read is the disk's
        if (n < 0) {
            error = errno;
            continue;
        }
        read.append(chunk, static_cast<std::size_t>(n));
        if (static_cast<long long>(read.size()) > kMostBytes) error = Failure::kTooBig;
    }
    ::close(fd);
    if (error != 0) return fail(error);
    text = std::move(read);
    return true;
}

bool TrackFile::save(const std::string& text, const std::string& path, const std::string& backup, Failure* why) {
    const auto fail = [why](const std::string& file, int error) {
        if (why) *why = Failure{file, error};
        return false;
    };
    // the whole file goes to a temporary beside the target first, so a failed
    // write never leaves a track without its E or destroys the last save
    const std::string temporary = path + ".tmp";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::out | std::ios::trunc | std::ios::binary);
        if (!out) return fail(temporary, errno ? errno : EIO);
        out << text;
        out.flush();
        if (!out) {
            const int error = errno ? errno : EIO;
            out.close();
            std::remove(temporary.c_str());
            return fail(temporary, error);
        }
    }
    // the earlier file, and only a file: a folder in its place stays where it is
    std::error_code ignored;
    const bool keep = !backup.empty() && std::filesystem::is_regular_file(path, ignored);
    if (keep && std::rename(path.c_str(), backup.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        return fail(backup, error);
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary.c_str());
        if (keep) std::rename(backup.c_str(), path.c_str());
        return fail(path, error);
    }
    return true;
}

bool TrackFile::save(const std::vector<GameObject*>& objects, const std::string& path) {
    return save(text(objects), path);
}
