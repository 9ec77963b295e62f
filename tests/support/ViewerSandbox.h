#pragma once

#include <QByteArray>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

// A place for one window test: a temporary current folder for the name lists
// and a temporary home folder for the monster info file, with the program's
// tables and counters as at process start. Everything is put back when the
// sandbox goes.
class ViewerSandbox {
public:
    ViewerSandbox();
    ~ViewerSandbox();
    ViewerSandbox(const ViewerSandbox&) = delete;
    ViewerSandbox& operator=(const ViewerSandbox&) = delete;

    // Writes a file into the current folder.
    void WriteList(const std::string& name, const std::string& bytes) const;
    // Writes three small, valid name lists.
    void WriteSampleLists() const;
    // Writes the monster info file where Load looks for it.
    void WriteMonsterInfo(const std::string& bytes) const;

    std::filesystem::path Folder() const;
    std::filesystem::path Home() const;

private:
    QTemporaryDir dir_;
    std::filesystem::path previousFolder_;
    QByteArray previousHome_;
};
