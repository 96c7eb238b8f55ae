#pragma once
// The three list boxes of the old platform that walk the file system: a
// drive list (here the mounted disks, each named by the folder it is mounted
// on), a folder list (the way down from the drive to the current folder,
// then its subfolders) and a file list (the files of one folder that match
// a pattern such as "*.bmp;*.jpg"). Each tells of a change of its own
// drive, folder or picked file, whether the user or the program made it.
#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace qv {

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // The root folder of the chosen drive ("/", "/media/stick").
    QString drive() const;
    // Chooses the drive that holds the path (a drive's root or any path on
    // it); a drive not in the list is added. Tells driveChanged when the
    // choice changes.
    void setDrive(const QString& pathOnDrive);
    // The root folder of the drive holding the path; empty when no drive does.
    static QString driveOf(const QString& path);

    // The drives listed, by their root folders; the mounted disks unless set.
    QStringList drives() const;
    void setDrives(const QStringList& roots);

signals:
    void driveChanged();

private:
    void choose(int index);
    QString m_drive;
    bool m_filling = false;
};

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Shows the folder. False, and nothing changes, when it cannot be read
    // (it does not exist, or its drive has no medium). Tells pathChanged
    // when the folder changes.
    bool setPath(const QString& folder);
    // The folder an entry stands for.
    QString entryPath(int row) const;

signals:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void open(QListWidgetItem* item);
    QString m_path;
};

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Lists the folder's files. False, and nothing changes, when it cannot be read.
    bool setPath(const QString& folder);
    // Patterns separated by ";", matched without regard to case; "*.*" lists every file.
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    // The picked file's name, or empty.
    QString fileName() const;

signals:
    // A file was picked, by a click or by the arrow keys; refilling the
    // list picks nothing.
    void fileClicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    void fill();
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
    bool m_filling = false;
    bool m_pickedByPress = false;
};

} // namespace qv
