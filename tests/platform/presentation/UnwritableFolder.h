#pragma once

#include <QString>

namespace testdecks {

// A folder that this process cannot write to while the object lives: a read-only disk mounted on it
// when running as root (root writes through any permission), its write permission taken otherwise.
class UnwritableFolder {
public:
    explicit UnwritableFolder(QString path);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // False when it could not be made so (root in a sandbox that may not mount).
    bool isUnwritable() const { return unwritable_; }

private:
    QString path_;
    bool mounted_ = false;
    bool unwritable_ = false;
};

} // namespace testdecks
