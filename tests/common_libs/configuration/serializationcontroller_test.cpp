#include "configurationfixture.h"
#include "serializationcontroller.h"

#include <QFile>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Keys in character-code order, floats shortest and locale-free, texts escaped.
TEST(SerializerLayout, WritesTheFixedLayout) {
    const std::pair<QVariantMap, QString> cases[] = {
        {{{"b", 1}, {"B", 2}, {"a", true}, {"A_b", QStringLiteral("x")}},
         R"({ "A_b" : "x", "B" : 2, "a" : true, "b" : 1 })"},
        {{{"f", 0.7f}, {"g", 22.0f}, {"h", -1.25f}, {"z", 0.0f}},
         R"({ "f" : 0.7, "g" : 22, "h" : -1.25, "z" : 0 })"},
        {{{"n", 99999u}, {"o", false}}, R"({ "n" : 99999, "o" : false })"},
        {{{"s", QStringLiteral("a\"b\\c\n")}}, R"({ "s" : "a\"b\\c\u000a" })"},
        {{}, "{  }"},
    };
    for (const auto& [values, text] : cases) {
        EXPECT_EQ(SerializationController::objectText(values), text);
    }
}

class SerializerFiles : public ConfigurationTest {};

TEST_F(SerializerFiles, RecordsAndListsRoundTripAndTheFolderIsCreated) {
    VQ2_Setup_S written;
    written.draft = 0.7f;
    written.tonnage = 123456.5f;
    written.outputParams = QStringLiteral("SAT LOG");
    written.useTwoDecimals = false;
    written.samplingDistance = -3;
    ASSERT_TRUE(SerializationController::Serialize(written, "r", "/new_folder/"));
    EXPECT_FALSE(root.exists("/opt/new_folder/r.tmp"));
    VQ2_Setup_S read;
    read.draft = 9.0f;
    ASSERT_TRUE(SerializationController::Deserialize(read, "r", "/new_folder/"));
    EXPECT_EQ(SerializationController::toMap(VQ2_Setup_S::staticMetaObject, &read),
              SerializationController::toMap(VQ2_Setup_S::staticMetaObject, &written));

    QList<TripTotal_Setup_s> list(2);
    list[0].totalDistance = 1.5f;
    list[1].tripDistance = 2.5f;
    ASSERT_TRUE(SerializationController::Serialize(list, "l", "/setup_files/"));
    EXPECT_EQ(setupFile("l"), R"([ { "totalDistance" : 1.5, "tripDistance" : 0 }, )"
                              R"({ "totalDistance" : 0, "tripDistance" : 2.5 } ])");
    QList<TripTotal_Setup_s> back;
    ASSERT_TRUE(SerializationController::Deserialize(back, "l", "/setup_files/"));
    ASSERT_EQ(back.size(), 2);
    EXPECT_EQ(back[1].tripDistance, 2.5f);
}

// An unusable file is kept aside for the service engineer; a missing one leaves no trace.
TEST_F(SerializerFiles, UnusableFilesFailAndAreKeptAsCorrupt) {
    for (const QByteArray& content : {QByteArray(), QByteArray("{"), QByteArray("[ ]"),
                                      QByteArray("5"), QByteArray(R"({ "draft" : 1.)")}) {
        writeSetupFile("x", content);
        TripTotal_Setup_s record;
        EXPECT_FALSE(SerializationController::Deserialize(record, "x", "/setup_files/"))
            << content.constData();
        EXPECT_EQ(root.readFile("/opt/setup_files/x.corrupt"), content);
        EXPECT_FALSE(root.exists("/opt/setup_files/x"));
    }
    writeSetupFile("y", "{ }");
    QList<TripTotal_Setup_s> list;
    EXPECT_FALSE(SerializationController::Deserialize(list, "y", "/setup_files/"));
    EXPECT_TRUE(root.exists("/opt/setup_files/y.corrupt"));
    TripTotal_Setup_s record;
    EXPECT_FALSE(SerializationController::Deserialize(record, "none", "/setup_files/"));
    EXPECT_FALSE(root.exists("/opt/setup_files/none.corrupt"));
    EXPECT_EQ(SerializationController::getSerializationString("none", "/setup_files/"), "");
}

// A child rewrites the water trip record in a loop and is killed at random moments; after
// every kill the file must load with one of the written values, never fall back to defaults.
TEST_F(SerializerFiles, RewritesSurviveAKillAtAnyMoment) {
    constexpr int kKills = 200;
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> delayUs(0, 3000);
    TripTotal_Setup_s first;
    first.totalDistance = 1.0f;
    ASSERT_TRUE(SerializationController::Serialize(first, "total_trip_setup", "/setup_files/"));
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TripTotal_Setup_s record;
            for (int i = 1;; ++i) {
                record.totalDistance = float(kill * 100000 + i);
                SerializationController::Serialize(record, "total_trip_setup", "/setup_files/");
            }
        }
        usleep(useconds_t(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        TripTotal_Setup_s read;
        ASSERT_TRUE(SerializationController::Deserialize(read, "total_trip_setup", "/setup_files/"))
            << "after kill " << kill;
        ASSERT_GE(read.totalDistance, 1.0f) << "after kill " << kill;
    }
    EXPECT_FALSE(root.exists("/opt/setup_files/total_trip_setup.corrupt"));
}
} // namespace
