#include "core/markup/DocumentType.h"

#include <QString>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(DocumentType, Html5OnlyByItsOwnDoctype)
{
    const struct
    {
        QString text;
        bool html5;
    } cases[] = {
        {u"<!DOCTYPE html>\r\n<html lang=\"cs\">"_s, true},
        {u"<!doctype HTML>"_s, true},
        {u"\uFEFF  \r\n<!DOCTYPE html >"_s, true},
        {u"<!-- a --><!-- b -->\n<!DOCTYPE\thtml>"_s, true},
        {u"<!DOCTYPE html SYSTEM \"about:legacy-compat\">"_s, true},
        {u"<!DOCTYPE html SYSTEM 'about:legacy-compat'>"_s, true},
        {u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"_s, false},
        {u"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"x\">"_s, false},
        {u"<!DOCTYPE html SYSTEM \"other\">"_s, false},
        {u"<!DOCTYPE htmlx>"_s, false},
        {u"<!DOCTYPEhtml>"_s, false},
        {u"<!DOCTYPE html"_s, false},
        {u"<html><!DOCTYPE html>"_s, false},
        {u"<!-- unclosed <!DOCTYPE html>"_s, false},
        {u""_s, false},
        {QString(kDoctypeSearchLength, u' ') + u"<!DOCTYPE html>"_s, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isHtml5Document(c.text), c.html5) << c.text.left(60).toStdString();
}

} // namespace
} // namespace qw
