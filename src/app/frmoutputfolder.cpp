#include "app/frmoutputfolder.h"

#include "app/outputfolder.h"
#include "platform/paths.h"
#include "platform/settings.h"
#include "platform/ui.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace tess {

namespace {

const QString kSetting = QStringLiteral("LastOutputFolder");
constexpr int kPathRole = Qt::UserRole;

QString cleanFolder(const QString &path) { return QDir::cleanPath(QDir(path).absolutePath()); }

} // namespace

frmOutputFolder::frmOutputFolder(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOutputFolder"));
    setWindowTitle(QStringLiteral("Select Output Folder"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    {
        const QSignalBlocker block(Drive1);
        for (const QString &mount : mountPoints())
            Drive1->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), mount, mount);
        Drive1->setCurrentIndex(-1);
    }
    Dir1 = new QListWidget(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    txtOutputFolder = new QLineEdit(this);
    txtOutputFolder->setObjectName(QStringLiteral("txtOutputFolder"));
    Command3 = new QPushButton(QStringLiteral("Generate >>"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("New Folder"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command1 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(Drive1, 0, 0);
    grid->addWidget(Dir1, 1, 0, 4, 1);
    grid->addWidget(Command3, 1, 1);
    grid->addWidget(Command2, 2, 1);
    grid->addWidget(Command1, 3, 1);
    grid->setRowStretch(4, 1);
    grid->addWidget(txtOutputFolder, 5, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    resize(420, 330);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, Command3);
    setTabOrder(Command3, Command2);
    setTabOrder(Command2, Command1);
    setTabOrder(Command1, txtOutputFolder);

    connect(Dir1, &QListWidget::itemClicked, this, &frmOutputFolder::Dir1_Click);
    connect(Drive1, &QComboBox::activated, this, &frmOutputFolder::Drive1_Change);
    connect(txtOutputFolder, &QLineEdit::textChanged, this, &frmOutputFolder::txtOutputFolder_Change);
    connect(Command1, &QPushButton::clicked, this, &frmOutputFolder::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmOutputFolder::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmOutputFolder::Command3_Click);

    // The folder list starts where the program was started from.
    setListFolder(QDir::currentPath());
}

QStringList frmOutputFolder::mountPoints()
{
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    return roots;
}

void frmOutputFolder::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

void frmOutputFolder::Form_Load()
{
    QString path = settings::get(kSetting, m_listFolder);
    if (!QFileInfo(path).isDir())
        path = m_listFolder;
    if (!path.isEmpty()) {
        setListFolder(path);
        txtOutputFolder->setText(path);
    }
}

// The drive list shows the mount point that holds the path.
void frmOutputFolder::selectDrive(const QString &path)
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < Drive1->count(); ++i) {
        const QString root = Drive1->itemData(i).toString();
        const bool holds = path == root || root == QStringLiteral("/") || path.startsWith(root + u'/');
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker block(Drive1);
    Drive1->setCurrentIndex(best);
}

bool frmOutputFolder::setListFolder(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    m_listFolder = cleanFolder(path);
    selectDrive(m_listFolder);
    fillDir1();
    return true;
}

// Ancestors from the root down, the list's folder, then its subfolders,
// each level indented one step further.
void frmOutputFolder::fillDir1()
{
    const QSignalBlocker block(Dir1);
    Dir1->clear();
    QStringList chain;
    for (QDir d(m_listFolder);;) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int level = 0;
    for (const QString &folder : chain) {
        const QString name = folder == QStringLiteral("/") ? folder : QFileInfo(folder).fileName();
        auto *item = new QListWidgetItem(open, QString(level * 2, u' ') + name, Dir1);
        item->setData(kPathRole, folder);
        ++level;
    }
    Dir1->setCurrentRow(Dir1->count() - 1);
    const QStringList subfolders =
        QDir(m_listFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &sub : subfolders) {
        auto *item = new QListWidgetItem(closed, QString(level * 2, u' ') + sub, Dir1);
        item->setData(kPathRole, joinPath(m_listFolder, sub));
    }
}

void frmOutputFolder::Dir1_Click(QListWidgetItem *item)
{
    if (!item)
        return;
    if (setListFolder(item->data(kPathRole).toString()))
        txtOutputFolder->setText(m_listFolder);
}

void frmOutputFolder::Drive1_Change(int index)
{
    const QString root = Drive1->itemData(index).toString();
    if (!QFileInfo(root).isDir() || !QDir(root).isReadable()) {
        ui().messageBox(QStringLiteral("The selected drive is unavailable."), Mb::Information);
        return;
    }
    setListFolder(root);
    // The drive list keeps the chosen drive, as the user picked it.
    const QSignalBlocker block(Drive1);
    Drive1->setCurrentIndex(index);
}

void frmOutputFolder::txtOutputFolder_Change(const QString &text)
{
    // A half-typed path is harmless: the lists move only to a folder that
    // exists, the text becomes the answer as it stands.
    setListFolder(text);
    Folder = text;
    txtOutputFolder->setFocus();
}

void frmOutputFolder::Command1_Click()
{
    Folder.clear();
    {
        const QSignalBlocker block(txtOutputFolder);
        txtOutputFolder->clear();
    }
    hide();
    setResult(QDialog::Rejected);
}

void frmOutputFolder::reject() { Command1_Click(); }

void frmOutputFolder::Command2_Click()
{
    const QString name = ui().inputBox(QStringLiteral("Enter new folder name:"), QStringLiteral("Create New Folder"));
    // A name is one folder: nothing that leads elsewhere.
    const bool plainName = !name.isEmpty() && !name.contains(u'/') && name != QStringLiteral(".")
        && name != QStringLiteral("..");
    const QString path = joinPath(m_listFolder, name);
    if (!plainName || !QDir().mkdir(path)) {
        ui().messageBox(QStringLiteral("Couldn't create folder"), Mb::Exclamation);
        return;
    }
    setListFolder(path);
    txtOutputFolder->setText(path);
}

void frmOutputFolder::Command3_Click()
{
    const QString candidate = Folder.isEmpty() ? m_listFolder : Folder;
    const QString refusal = outputFolderRefusal(candidate, programFolder());
    if (!refusal.isEmpty()) {
        ui().messageBox(refusal, Mb::OkOnly);
        return;
    }
    if (Folder.isEmpty())
        Folder = m_listFolder;
    else
        settings::set(kSetting, Folder);
    hide();
    setResult(QDialog::Accepted);
}

} // namespace tess
