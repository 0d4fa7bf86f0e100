#!/usr/bin/perl
use utf8;
use strict;
# 掲示板スクリプト（UTF-8 版）
my $title = "日本語の掲示板 ①② ㈱ 髙橋 﨑";
my $wave = "〜 と ～";            # WAVE DASH と FULLWIDTH TILDE
my $minus = "− と －";
my $mark = "‖ ¢ £ ¬";
my $emoji = "😀 🍣 🎉";
my $latin = "café naïve Ærø";
my $kana = "ﾊﾝｶｸｶﾀｶﾅ";
print "Content-type: text/html; charset=UTF-8\n\n";
print "<p>$title 😀</p>\n";
