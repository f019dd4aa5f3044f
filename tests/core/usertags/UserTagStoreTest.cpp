#include "core/usertags/UserTagStore.h"

#include "core/usertags/UserTagName.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

using Status = UserTagResult::Status;

class UserTagStoreTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        ASSERT_TRUE(QDir(m_temp.path()).mkpath(u"Tag/Obecné"_s));
        m_root = m_temp.filePath(u"Tag"_s);
    }

    QByteArray bytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void put(const QString& relative, const QByteArray& content) const
    {
        QFile file(m_root + u'/' + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    // Every file and folder below the temporary folder, to prove that a
    // refused call touched nothing.
    QStringList snapshot() const
    {
        QStringList entries;
        QDirIterator it(m_temp.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            entries << it.next();
        entries.sort();
        return entries;
    }

    QTemporaryDir m_temp;
    QString m_root;
};

TEST_F(UserTagStoreTest, WritesWindows1250WithCrLfAndReadsBack)
{
    UserTagStore store(m_root);
    const UserTagFields fields{u"<div class=\"č\">\nřádek"_s, u"</div>"_s};
    const UserTagResult result = store.write(u"Obecné"_s, u"Blok"_s, fields);
    ASSERT_EQ(result.status, Status::Done) << result.message.toStdString();

    EXPECT_EQ(bytes(store.startFilePath(u"Obecné"_s, u"Blok"_s)),
              QByteArray("<div class=\"\xE8\">\r\n\xF8\xE1"
                         "dek\r\n"));
    EXPECT_EQ(bytes(store.endFilePath(u"Obecné"_s, u"Blok"_s)), QByteArray("</div>\r\n"));

    const UserTagFields read = store.readFields(u"Obecné"_s, u"Blok"_s);
    EXPECT_EQ(read.start, fields.start);
    EXPECT_EQ(read.end, fields.end);
    const UserTagInsertion insertion = store.readForInsertion(u"Obecné"_s, u"Blok"_s);
    EXPECT_EQ(insertion.start, u"<div class=\"č\">\r\nřádek"_s);
    EXPECT_EQ(insertion.end, u"</div>\r\n"_s);

    // Writing an existing name replaces both files; an empty field empties its file.
    ASSERT_TRUE(store.write(u"Obecné"_s, u"Blok"_s, {u"x"_s, u""_s}).ok());
    EXPECT_EQ(bytes(store.startFilePath(u"Obecné"_s, u"Blok"_s)), QByteArray("x\r\n"));
    EXPECT_EQ(bytes(store.endFilePath(u"Obecné"_s, u"Blok"_s)), QByteArray());
}

TEST_F(UserTagStoreTest, ListsGroupsAndTagsSortedWithoutStrayFiles)
{
    ASSERT_TRUE(QDir(m_root).mkdir(u"archiv"_s));
    ASSERT_TRUE(QDir(m_root).mkdir(u".skryta"_s));
    put(u"Obecné/zeta.qws"_s, "z");
    put(u"Obecné/Alfa.qws"_s, "a");
    put(u"Obecné/beta.qws"_s, "b");
    put(u"Obecné/jen-konec.qwe"_s, "e"); // no start file: not a user tag
    put(u"Obecné/VELKE.QWS"_s, "x");     // the suffix must match exactly
    put(u"Obecné/.skryty.qws"_s, "h");
    put(u"Obecné/poznamka.txt"_s, "t");
    ASSERT_TRUE(QDir(m_root).mkdir(u"Obecné/slozka.qws"_s));
    put(u"soubor-v-koreni.qws"_s, "r");

    const QList<UserTagGroup> expected = {
        {u"archiv"_s, {}},
        {u"Obecné"_s, {u"Alfa"_s, u"beta"_s, u"zeta"_s}},
    };
    EXPECT_EQ(UserTagStore(m_root).list(), expected);
    EXPECT_TRUE(UserTagStore(m_temp.filePath(u"nic"_s)).list().isEmpty());
}

TEST_F(UserTagStoreTest, ReadingMissingFilesGivesEmptyTexts)
{
    UserTagStore store(m_root);
    put(u"Obecné/jen.qws"_s, "a\r\nb\r\n");
    const UserTagInsertion insertion = store.readForInsertion(u"Obecné"_s, u"jen"_s);
    EXPECT_EQ(insertion.start, u"a\r\nb"_s);
    EXPECT_EQ(insertion.end, QString());
    const UserTagFields fields = store.readFields(u"Obecné"_s, u"nic"_s);
    EXPECT_TRUE(fields.start.isEmpty() && fields.end.isEmpty());
}

TEST_F(UserTagStoreTest, EditRenamesAndDeletes)
{
    UserTagStore store(m_root);
    const QString g = u"Obecné"_s;
    ASSERT_TRUE(store.write(g, u"odkaz"_s, {u"<a>"_s, u"</a>"_s}).ok());

    // Same name: rewritten in place.
    ASSERT_TRUE(store.saveEdited(g, u"odkaz"_s, u"odkaz"_s, {u"<a href>"_s, u"</a>"_s}).ok());
    EXPECT_EQ(store.list().at(0).tags, QStringList{u"odkaz"_s});
    EXPECT_EQ(bytes(store.startFilePath(g, u"odkaz"_s)), QByteArray("<a href>\r\n"));

    // Only the case changes: the files take the new name, nothing is left behind.
    ASSERT_TRUE(store.saveEdited(g, u"odkaz"_s, u"Odkaz"_s, {u"<A>"_s, u"</A>"_s}).ok());
    EXPECT_EQ(store.list().at(0).tags, QStringList{u"Odkaz"_s});
    EXPECT_EQ(bytes(store.startFilePath(g, u"Odkaz"_s)), QByteArray("<A>\r\n"));
    EXPECT_EQ(bytes(store.endFilePath(g, u"Odkaz"_s)), QByteArray("</A>\r\n"));
    EXPECT_FALSE(QFile::exists(store.startFilePath(g, u"odkaz"_s)));
    EXPECT_FALSE(QFile::exists(store.endFilePath(g, u"odkaz"_s)));

    // A new name: the old pair is removed.
    ASSERT_TRUE(store.saveEdited(g, u"Odkaz"_s, u"link"_s, {u"<a>"_s, u""_s}).ok());
    EXPECT_EQ(store.list().at(0).tags, QStringList{u"link"_s});

    // A refused new name keeps the old user tag untouched.
    const UserTagResult bad = store.saveEdited(g, u"link"_s, u"a/b"_s, {u"x"_s, u"y"_s});
    EXPECT_EQ(bad.status, Status::Refused);
    EXPECT_EQ(store.list().at(0).tags, QStringList{u"link"_s});
    EXPECT_EQ(bytes(store.startFilePath(g, u"link"_s)), QByteArray("<a>\r\n"));

    store.remove(g, u"link"_s);
    EXPECT_TRUE(store.list().at(0).tags.isEmpty());
    EXPECT_FALSE(QFile::exists(store.endFilePath(g, u"link"_s)));
    store.remove(g, u"link"_s); // already gone: quietly nothing
}

TEST_F(UserTagStoreTest, WriteIntoAMissingGroupFailsWithThePath)
{
    UserTagStore store(m_root);
    const UserTagResult result = store.write(u"Chybí"_s, u"x"_s, {u"a"_s, u"b"_s});
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.message, u"Cannot create file "_s + store.startFilePath(u"Chybí"_s, u"x"_s));
    EXPECT_FALSE(QFileInfo::exists(store.groupPath(u"Chybí"_s)));
}

TEST_F(UserTagStoreTest, BadNamesAreRefusedBeforeAnythingIsWritten)
{
    UserTagStore store(m_root);
    ASSERT_TRUE(store.write(u"Obecné"_s, u"ok"_s, {u"a"_s, u"b"_s}).ok());
    const QStringList before = snapshot();
    const QString tooLong(250, u'x');
    const QString halfPair = u"a"_s + QChar(0xD800) + u"b"_s; // no file name holds it
    const QString bad[] = {u""_s,     u"."_s,       u".."_s, u"a/b"_s, u"../../venku"_s,
                           u"x\0y"_s, u".bashrc"_s, tooLong, halfPair};
    for (const QString& name : bad) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(userTagNameProblem(name, UserTagNameKind::Tag).isEmpty());
        const UserTagResult asTag = store.write(u"Obecné"_s, name, {u"a"_s, u"b"_s});
        EXPECT_EQ(asTag.status, Status::Refused);
        EXPECT_FALSE(asTag.message.isEmpty());
        EXPECT_EQ(store.saveEdited(u"Obecné"_s, u"ok"_s, name, {}).status, Status::Refused);
        if (name != tooLong) { // long enough for a tag's files, not for a folder
            EXPECT_EQ(store.write(name, u"x"_s, {u"a"_s, u"b"_s}).status, Status::Refused);
            EXPECT_EQ(store.addGroup(name).status, Status::Refused);
            EXPECT_EQ(store.removeGroup(name).status, Status::Refused);
        }
        store.remove(u"Obecné"_s, name);
        store.remove(name, u"ok"_s);
    }
    EXPECT_EQ(store.renameGroup(u"Obecné"_s, u"../venku"_s).status, Status::Refused);
    EXPECT_EQ(store.renameGroup(u".."_s, u"jinam"_s).status, Status::Refused);
    EXPECT_EQ(snapshot(), before);

    // Characters other systems refuse are fine in a Linux file name.
    for (const QString& name : {u"a:b"_s, u"x*y?"_s, u"a\\b"_s, u"<b>"_s, u"tečka."_s})
        EXPECT_TRUE(userTagNameProblem(name, UserTagNameKind::Tag).isEmpty()) << name.toStdString();
    EXPECT_EQ(userTagNameProblem(u""_s, UserTagNameKind::Tag), u"Zadejte název vlastního tagu."_s);
    EXPECT_EQ(userTagNameProblem(u"a/b"_s, UserTagNameKind::Group),
              u"Název „a/b“ nesmí obsahovat znak „/“."_s);
}

TEST_F(UserTagStoreTest, GroupsAreAddedAndRenamed)
{
    UserTagStore store(m_root);
    EXPECT_EQ(store.addGroup(u"Nová"_s).status, Status::Done);
    EXPECT_TRUE(QFileInfo(store.groupPath(u"Nová"_s)).isDir());
    EXPECT_EQ(store.addGroup(u"Nová"_s).status, Status::Unchanged);
    ASSERT_TRUE(store.write(u"Nová"_s, u"t"_s, {u"a"_s, u"b"_s}).ok());

    struct Case
    {
        QString from, to;
        Status status;
        QString name;
    };
    const Case cases[] = {
        {u"Nová"_s, u"<Jiná>"_s, Status::Done, u"Jiná"_s},      // angle brackets dropped
        {u"Jiná"_s, u"Obecné"_s, Status::Unchanged, u"Jiná"_s}, // target exists
        {u"Jiná"_s, u"<>"_s, Status::Unchanged, u"Jiná"_s},     // nothing left
        {u"Jiná"_s, u"jiná"_s, Status::Done, u"jiná"_s},        // case only
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        const UserTagResult result = store.renameGroup(c.from, c.to);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.name, c.name);
        EXPECT_TRUE(QFileInfo(store.groupPath(c.name)).isDir());
    }
    const QList<UserTagGroup> expected = {{u"jiná"_s, {u"t"_s}}, {u"Obecné"_s, {}}};
    EXPECT_EQ(store.list(), expected);
    EXPECT_EQ(store.renameGroup(u"nic"_s, u"neco"_s).status, Status::Failed);
}

// HOME and XDG_DATA_HOME for a while: the freedesktop trash is found
// through them.
class TrashHome
{
public:
    TrashHome(const QString& home, const QString& dataHome)
        : m_home(qgetenv("HOME")), m_dataHome(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    }
    ~TrashHome()
    {
        restore("HOME", m_home);
        restore("XDG_DATA_HOME", m_dataHome);
    }

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QByteArray m_home;
    QByteArray m_dataHome;
};

TEST_F(UserTagStoreTest, RemovedGroupGoesToTheTrash)
{
    // The trash lies under the data home for files on the home's own file
    // system, else at the top of the file's: with the temporary folder as
    // the home it is the data home's, wherever the temporary folder lies.
    const QString dataHome = m_temp.filePath(u"data"_s);
    ASSERT_TRUE(QDir().mkpath(dataHome));
    UserTagStore store(m_root);
    ASSERT_TRUE(store.addGroup(u"Pryč"_s).ok());
    ASSERT_TRUE(store.write(u"Pryč"_s, u"tag"_s, {u"a"_s, u"b"_s}).ok());
    UserTagResult result;
    {
        TrashHome home(m_temp.path(), dataHome);
        result = store.removeGroup(u"Pryč"_s);
    }

    // A trash inside the home can always be made: a refusal is a fault.
    ASSERT_EQ(result.status, Status::Done) << result.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(store.groupPath(u"Pryč"_s)));
    EXPECT_EQ(store.list().size(), 1);
    EXPECT_TRUE(QFile::exists(dataHome + u"/Trash/files/Pryč/tag.qws"_s));
    EXPECT_TRUE(QFile::exists(dataHome + u"/Trash/info/Pryč.trashinfo"_s));
    EXPECT_EQ(store.removeGroup(u"Pryč"_s).status, Status::Unchanged);
}

TEST_F(UserTagStoreTest, GroupWithoutATrashStaysWithAMessage)
{
    // A data home that is a file holds no trash, for root as well.
    const QString dataFile = m_temp.filePath(u"data"_s);
    {
        QFile file(dataFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a folder");
    }
    UserTagStore store(m_root);
    ASSERT_TRUE(store.addGroup(u"Zůstane"_s).ok());
    ASSERT_TRUE(store.write(u"Zůstane"_s, u"tag"_s, {u"a"_s, u"b"_s}).ok());
    const QStringList before = snapshot();
    const QByteArray start = bytes(store.startFilePath(u"Zůstane"_s, u"tag"_s));
    UserTagResult result;
    {
        TrashHome home(m_temp.path(), dataFile);
        result = store.removeGroup(u"Zůstane"_s);
    }

    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.message, u"Složku „Zůstane“ se nepodařilo přesunout do koše."_s);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(bytes(store.startFilePath(u"Zůstane"_s, u"tag"_s)), start);
}

} // namespace
} // namespace qw
