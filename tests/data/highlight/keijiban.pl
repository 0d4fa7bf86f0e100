#!/usr/bin/perl
# 掲示板の設定（テスト用）
use strict;
my $title = '日本語の掲示板';	# タイトル
my @colors = ('#000000', '#cc0000');
my %labels = (name => 'お名前', subject => "題名");
my $max = 1..10; my $pi = 3.14E+5; my $n = $#colors + 1;
print "<body bgcolor=#ffffff>\n";
print "<font color=\"#ff0000\">エラー：$title</font>\n";
$str =~ s/ｶﾀｶﾅ/カタカナ/g;
if ($FORM{'mode'} eq 'write') { &write_log; }
sub write_log {
	local($a, $b) = @_;
	open(LOG, ">>$logfile") || &error("書き込めません");
	print LOG "$date\t$name\t１２３，４５６\n";
	return $Foo::Bar::baz && $x % 2;
}
sub print { 'it''s' }
$x = 'a\' . "b\\" . "c\"d";	#fffff 色ではなくコメント
