#include "platform/forms/file_lists.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>

namespace qv {

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int LevelRole = Qt::UserRole + 1;

QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

bool readableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.exists() && info.isDir() && info.isReadable() && QDir(folder).isReadable();
}

QStringList mountedDisks()
{
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        // Real disks only: memory file systems and the like are no drives.
        if (!volume.isValid() || !volume.device().startsWith("/dev/"))
            continue;
        const QString root = volume.rootPath();
        if (!roots.contains(root) && QFileInfo(root).isDir())
            roots << root;
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

QString driveCaption(const QString& root)
{
    const QString name = QStorageInfo(root).name();
    return name.isEmpty() ? root : root + QStringLiteral(" [") + name + QLatin1Char(']');
}

// Folder entries stand one step further in than the entry above them.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.adjust(indentOf(index), 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indentOf(index), 0);
    }

private:
    static int indentOf(const QModelIndex& index) { return index.data(LevelRole).toInt() * 10; }
};

} // namespace

// --- drives -----------------------------------------------------------------

DriveListBox::DriveListBox(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling)
            choose(index);
    });
    setDrives(mountedDisks());
}

QString DriveListBox::drive() const
{
    return m_drive;
}

QStringList DriveListBox::drives() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << itemData(i).toString();
    return roots;
}

void DriveListBox::setDrives(const QStringList& roots)
{
    m_filling = true;
    clear();
    for (const QString& root : roots)
        addItem(driveCaption(root), root);
    const int keep = findData(m_drive);
    setCurrentIndex(keep);
    m_filling = false;
    if (keep < 0)
        m_drive.clear();
}

QString DriveListBox::driveOf(const QString& path)
{
    const QStorageInfo volume(path);
    if (!volume.isValid())
        return QString();
    return volume.rootPath();
}

void DriveListBox::setDrive(const QString& pathOnDrive)
{
    QString root = driveOf(pathOnDrive);
    if (root.isEmpty())
        root = cleanFolder(pathOnDrive);
    int index = findData(root);
    if (index < 0) {
        m_filling = true;
        addItem(driveCaption(root), root);
        m_filling = false;
        index = count() - 1;
    }
    setCurrentIndex(index);
}

void DriveListBox::choose(int index)
{
    const QString root = index < 0 ? QString() : itemData(index).toString();
    if (root == m_drive)
        return;
    m_drive = root;
    emit driveChanged();
}

// --- folders ----------------------------------------------------------------

DirListBox::DirListBox(QWidget* parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { open(item); });
}

QString DirListBox::entryPath(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(PathRole).toString() : QString();
}

bool DirListBox::setPath(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString clean = cleanFolder(folder);
    if (!readableFolder(clean))
        return false;

    clear();
    // The way down from the root, each folder open, then the folder's own subfolders.
    QStringList way;
    for (QDir dir(clean);; ) {
        way.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int level = 0;
    for (const QString& step : std::as_const(way)) {
        const QString name = QFileInfo(step).fileName();
        auto* entry = new QListWidgetItem(openIcon, name.isEmpty() ? step : name, this);
        entry->setData(PathRole, step);
        entry->setData(LevelRole, level++);
    }
    setCurrentRow(count() - 1);
    const QStringList subfolders =
        QDir(clean).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : subfolders) {
        auto* entry = new QListWidgetItem(closedIcon, name, this);
        entry->setData(PathRole, QDir(clean).filePath(name));
        entry->setData(LevelRole, level);
    }

    if (clean == m_path)
        return true;
    m_path = clean;
    emit pathChanged();
    return true;
}

void DirListBox::open(QListWidgetItem* item)
{
    if (item)
        setPath(item->data(PathRole).toString());
}

void DirListBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(e);
}

// --- files ------------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0)
            return;
        m_pickedByPress = true;
        emit fileClicked();
    });
    connect(this, &QListWidget::itemClicked, this, [this] {
        // A click on the file already picked picks it again.
        if (!m_pickedByPress)
            emit fileClicked();
    });
}

bool FileListBox::setPath(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString clean = cleanFolder(folder);
    if (!readableFolder(clean))
        return false;
    m_path = clean;
    fill();
    return true;
}

void FileListBox::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    fill();
}

QString FileListBox::fileName() const
{
    const QListWidgetItem* picked = currentItem();
    return picked ? picked->text() : QString();
}

void FileListBox::mousePressEvent(QMouseEvent* e)
{
    m_pickedByPress = false;
    QListWidget::mousePressEvent(e);
}

void FileListBox::fill()
{
    m_filling = true;
    clear();
    if (!m_path.isEmpty()) {
        QStringList filters;
        for (const QString& part : m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = part.trimmed();
            // "*.*" meant every file, with or without an extension.
            filters << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        }
        if (filters.isEmpty())
            filters << QStringLiteral("*");
        // Name filters match without regard to case unless told otherwise.
        addItems(QDir(m_path).entryList(filters, QDir::Files, QDir::Name | QDir::IgnoreCase));
    }
    setCurrentRow(-1);
    m_filling = false;
}

} // namespace qv
