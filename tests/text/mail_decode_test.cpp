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
        {"=?koi8-r?B?5Lya?= =?ISO-2022-JP?B?GyRCMnE1RBsoQg==?= =?ISO-2022-JP?Q?abc?=",
         "=?koi8-r?B?5Lya?= 会議 =?ISO-2022-JP?Q?abc?="},
    };
    for (const header_case& c : cases) {
        decode_base64(c.header);
        EXPECT_STREQ(conversion_output, c.shown) << c.header;
    }
}

TEST(mail_text, utf8_bodies_and_words_become_shift_jis_with_a_question_mark_for_what_it_lacks) {
    struct utf8_case {
        const char* mail;
        const char* shown;
    };
    const utf8_case cases[] = {
        {"5ZCE5L2NDQrmnaXpgLHjga7kvJrorbDjga/jgJzph5Hmm5zml6XjgafjgZnjgILwn5iADQo=",
         "各位\r\n来週の会議は\x81\x60金曜日です。?\r\n"},
        {"w5xuw69jw7Zkw6kg4oCWIOKIkiDigJQgwqLCo8KsDQo=",
         "?n?c?d? \x81\x61 \x81\x7C \x81\x5C \x81\x91\x81\x92\x81\xCA\r\n"},
        // UTF-8 whose bytes pair up as Shift_JIS too is read as UTF-8; Shift_JIS stays.
        {"5Lya6K2w", "会議"},
        {"44GT44KT44Gr44Gh44Gv", "こんにちは"},
        {"44GC44GE", "あい"},
        {"g0qDaYLGir+Omg==", "カナと漢字"},
        // A charset the body names decides.
        {"PG1ldGEgY2hhcnNldD0iU2hpZnRfSklTIj7kvJrorbA=", "<meta charset=\"Shift_JIS\">\xE4\xBC\x9A\xE8\xAD\xB0"},
        {"PG1ldGEgY2hhcnNldD1VVEYtOD7kvJrorbA=", "<meta charset=UTF-8>会議"},
        {"Subject: =?UTF-8?B?44Cc5LqI5a6a8J+YgA==?=", "Subject: \x81\x60予定?"},
        {"=?utf-8?Q?=E4=BC=9A=E8=AD=B0_2?= =?UTF-8?B?44Cc?=", "会議 2\x81\x60"},
        {"=?utf-8*ja?B?5Lya?=", "会"},
        {"=?UTF-8?Q?=E3=81?= x", "=?UTF-8?Q?=E3=81?= x"},
    };
    for (const utf8_case& c : cases) {
        decode_base64(c.mail);
        EXPECT_STREQ(conversion_output, c.shown) << c.mail;
    }
}

}  // namespace
