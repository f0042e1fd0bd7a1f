#pragma once

#include <string>

// The file a job writes until it is complete: a hidden name beside the
// final output (".<name>.XXXXXX.part"), so that the last step is an atomic
// rename.  Unless it is committed, the file is removed when the object goes
// or takes another.  While the object holds the file it keeps a lock on it:
// a later start of the program removes only parts nobody holds (the
// leftovers of a killed run).
class TempOutput {
public:
    TempOutput() = default;
    ~TempOutput();
    TempOutput(TempOutput &&other) noexcept;
    TempOutput &operator=(TempOutput &&other) noexcept;
    TempOutput(const TempOutput &) = delete;
    TempOutput &operator=(const TempOutput &) = delete;

    // Creates a new empty file for finalPath, readable as any file the user
    // creates (the process umask applies).
    bool create(const std::string &finalPath, std::string *error);
    const std::string &path() const { return m_path; }
    // Renames the file to the final path.
    bool commit(std::string *error);
    // Renames the file to finalPath unless a file of that name exists.
    bool commitAsNew(const std::string &finalPath, std::string *error);
    // Removes the file now.
    void discard();

    // A newly created empty hidden file "<dir>/.<name>.XXXXXX<ending>" for
    // a caller that manages it itself (not locked, not removed by this
    // class); empty on failure.  create() makes its files the same way
    // with the ending ".part".
    static std::string reserve(const std::string &dir, const std::string &name, const std::string &ending,
                               std::string *error);

private:
    void unlock();

    std::string m_path;
    std::string m_finalPath;
    int m_lockFd = -1;
};
