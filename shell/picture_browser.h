#pragma once
// The picture browser: a drive list, a folder list and a file list filtered
// by a pattern chosen from a drop-down list, and a picture box that shows the
// file picked in the file list at its own size. It changes no data and
// keeps nothing once it closes.
#include "platform/forms/window.h"

#include <QStringList>

class QComboBox;
class QLabel;

namespace qv {
class DirListBox;
class DriveListBox;
class FileListBox;
class PictureBox;
}

class PictureBrowser : public qv::Window {
    Q_OBJECT
public:
    PictureBrowser();
    // The file's full path: the folder, a separator unless the folder
    // already ends in one (the root does), then the name.
    static QString pathOf(const QString& folder, const QString& fileName);

protected:
    void formLoad() override;
    void formResize() override;

private:
    // The lists answering the user's picks.
    void changeDrive();
    void listFolderFiles();
    void filterByFileType();
    void showPickedFile();

    // Adds the description to the drop-down list and the pattern at the same index.
    void addPattern(const QString& description, const QString& pattern);
    void fitColumnToPatterns();
    void showOpenError(const QString& path);

    // Controls; tests and other windows find them by their objectName.
    qv::DriveListBox* driveList = nullptr;
    qv::DirListBox* folderList = nullptr;
    qv::FileListBox* fileList = nullptr;
    QComboBox* fileTypeList = nullptr;
    qv::PictureBox* pictureBox = nullptr;
    QLabel* pathLabel = nullptr;

    QStringList m_patterns;     // by the drop-down list's entries
    int m_columnWidth = 3000;   // twips: the drive list's width, which the other lists take
    // Set while the drive-change handler puts the drive back itself.
    bool m_puttingDriveBack = false;
};
