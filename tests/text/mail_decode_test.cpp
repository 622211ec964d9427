#include <gtest/gtest.h>

#include <string>

#include "text/encodings.h"

namespace {

// Expected texts were computed with Python's email module (message_from_string and
// get_payload(decode=True) for the body, decode_header and make_header for the header
// lines) and encoded as cp932.

TEST(mail_text, a_base64_body_of_iso_2022_jp_wrapped_at_76_columns_decodes_whole) {
    const char body[] =
        "GyRCM0YwTBsoQg0KDQobJEJNaD01JE4ycTVEJE82Yk1LRnwkTjhhOGU7MDt+JCskaUJoO00ycTVE\r\n"
        "PDwkRzlUJCQkXiQ5ISMbKEINChskQjtxTkEkT0EwRnwkXiRHJEs2Jk0tJVUlKSVrJUAkWENWJCQk\r\n"
        "RiQvJEAkNSQkISMbKEINChskQiRoJG0kNyQvJCo0aiQkJDckXiQ5ISMbKEINCg==\r\n";
    decode_base64(body);
    EXPECT_STREQ(conversion_output,
                 "各位\r\n\r\n来週の会議は金曜日の午後三時から第四会議室で行います。\r\n"
                 "資料は前日までに共有フォルダへ置いてください。\r\nよろしくお願いします。\r\n");
}

TEST(mail_text, encoded_header_words_decode_in_place_and_adjacent_ones_join) {
    struct header_case {
        const char* header;
        const char* shown;
    };
    const header_case cases[] = {
        // From Python's email module.
        {"Subject: =?ISO-2022-JP?B?GyRCJDMkcyRLJEEkTxsoQg==?=", "Subject: こんにちは"},
        {"Subject: =?ISO-2022-JP?B?GyRCMnE1RBsoQg==?=\r\n "
         "=?iso-2022-jp?b?GyRCJE4kKkNOJGkkOxsoQg==?= (2)",
         "Subject: 会議のお知らせ (2)"},
        {"From: =?shift_jis?b?g0qDaYLGir+Omg==?= <kana@example.jp>",
         "From: カナと漢字 <kana@example.jp>"},
        // Words this program cannot decode stay as they are, and so do the blanks beside them.
        {"=?utf-8?B?5Lya?= =?ISO-2022-JP?B?GyRCMnE1RBsoQg==?= =?ISO-2022-JP?Q?abc?=",
         "=?utf-8?B?5Lya?= 会議 =?ISO-2022-JP?Q?abc?="},
    };
    for (const header_case& c : cases) {
        decode_base64(c.header);
        EXPECT_STREQ(conversion_output, c.shown) << c.header;
    }
}

}  // namespace
