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

#include "control/AiWaypoint.h"
#include "objects/CheckPoint.h"
#include "objects/GameObject.h"
#include "objects/Powerup.h"
#include "objects/StaticObject.h"
#include "world/World.h"

namespace {

// The kind a reader's powerup starts with; the record's kind replaces it.
constexpr int kReaderPowerupKind = 4;
// The longest piece of an unreadable word quoted back.
constexpr std::size_t kQuotedLength = 16;

// The fields of a record after its letter, in the order the kinds read
// them; a name starting with '#' is a whole number. Null for a character
// that starts no record.
const char* const* fieldsOf(char letter) {
    static const char* const scenery[] = {"x", "y", "z", "#kind", nullptr};
    static const char* const gate[] = {"x", "y", "z", "radius", "#number", "angle", nullptr};
    static const char* const waypoint[] = {"x", "y", "z", "#number", nullptr};
    switch (letter) {
        case 'S':
        case 'P': return scenery;
        case 'C': return gate;
        case 'W': return waypoint;
        default: return nullptr;
    }
}

const char* kindOf(char letter) {
    switch (letter) {
        case 'S': return "scenery";
        case 'C': return "checkpoint";
        case 'P': return "powerup";
        default: return "waypoint";
    }
}

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

}  // namespace

std::string TrackFile::Break::describe() const {
    return "line " + std::to_string(line) + ": expected " + expected + ", found " + found;
}

std::vector<TrackFile::Record> TrackFile::scan(const std::string& text, Break* broke) {
    std::vector<Record> records;
    Break stop;
    LineCounter lines(text);
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    bool ended = false;
    char c;
    while (!ended && stop.line == 0 && in >> c) {
        if (c == 'E') {
            ended = true;
            break;
        }
        const char* const* fields = fieldsOf(c);
        if (!fields) continue;
        Record record;
        record.line = lines.at(offsetOf(in, text) - 1);
        record.letter = c;
        double coordinates[3] = {0.0, 0.0, 0.0};
        for (int f = 0; fields[f]; ++f) {
            const bool whole = fields[f][0] == '#';
            const std::size_t before = offsetOf(in, text);
            double d = 0.0;
            int n = 0;
            if (whole ? static_cast<bool>(in >> n) : static_cast<bool>(in >> d)) {
                if (f < 3) coordinates[f] = d;
                continue;
            }
            record.complete = false;
            describeStop(text, before, lines, stop);
            stop.expected = std::string(whole ? "a whole number" : "a number") + " for the " + (fields[f] + whole) +
                            " of a " + kindOf(c) + " record (" + c + ")";
            break;
        }
        record.position = Vector3(coordinates[0], coordinates[1], coordinates[2]);
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
    std::istringstream in(text);
    // numbers are always in the "C" form, whatever the player's locale
    in.imbue(std::locale::classic());
    bool ended = false;
    char c;
    while (!ended && in >> c) {
        GameObject* o = nullptr;
        switch (c) {
            case 'S': o = new StaticObject(&world); break;
            case 'C': o = new CheckPoint(&world); break;
            case 'P': o = new Powerup(&world, kReaderPowerupKind); break;
            case 'W': {
                auto* w = new AiWaypoint(&world);
                world.addWaypoint(w);
                o = w;
                break;
            }
            case 'E': ended = true; break;
            default: break;  // anything else is skipped a character at a time
        }
        if (!o) continue;
        // each coordinate through a temporary: one that fails stays 0
        double v[3] = {0.0, 0.0, 0.0};
        for (double& d : v) {
            double t;
            if (!(in >> t)) break;
            d = t;
        }
        o->setPosition(Vector3(v[0], v[1], v[2]));
        // a failed stream reads nothing more, so the body keeps its defaults
        o->read(in);
        world.addObject(o);
    }
    Break stop;
    if (!ended) scan(text, &stop);
    return stop;
}

void TrackFile::write(const std::vector<GameObject*>& objects, std::ostream& out) {
    out.imbue(std::locale::classic());
    for (const GameObject* o : objects) {
        const char c = o->typeCode();
        if (c == 0) continue;
        const Vector3 p = o->getPosition();
        out << c << ' ' << p.x << ' ' << p.y << ' ' << p.z << ' ';
        o->write(out);
        out << '\n';
    }
    out << "E\n";
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
