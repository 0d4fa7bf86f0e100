#!/usr/bin/perl
# ------------------------------------------------------------
#  簡易掲示板 keijiban.cgi
#  投稿の表示と書き込みを行う小さな掲示板スクリプトです。
#  文字コード：Shift_JIS　改行コード：CR+LF
# ------------------------------------------------------------
use strict;
use warnings;

# ===== 設定 =====
my $title    = 'ブレンヴィク掲示板';	# 掲示板の名前
my $logfile  = './keijiban.log';	# 記録ファイル
my $max_logs = 50;			# 保存する最大件数
my @colors   = ('#000000', '#cc0000', '#0000cc', '#008000');
my %labels   = (
	name    => 'お名前',
	subject => '題名',
	message => '本文',
	color   => '文字色',
);

my %FORM = &parse_form;
my $mode = $FORM{'mode'} || 'view';

if ($mode eq 'write') {
	&write_log;
}
&print_page;
exit;

# ----- フォームの値を受け取る -----
sub parse_form {
	my ($buffer, %in);
	if ($ENV{'REQUEST_METHOD'} && $ENV{'REQUEST_METHOD'} eq 'POST') {
		read(STDIN, $buffer, $ENV{'CONTENT_LENGTH'});
	} else {
		$buffer = $ENV{'QUERY_STRING'} || '';
	}
	foreach my $pair (split(/&/, $buffer)) {
		my ($key, $value) = split(/=/, $pair, 2);
		$value = '' unless defined $value;
		$value =~ tr/+/ /;
		$value =~ s/%([0-9A-Fa-f]{2})/pack('H2', $1)/eg;
		$value =~ s/</&lt;/g;		# タグは無効にする
		$value =~ s/>/&gt;/g;
		$value =~ s/\r\n|\r|\n/<br>/g;	# 改行は<br>に置き換える
		$in{$key} = $value;
	}
	return %in;
}

# ----- 記録ファイルに書き込む -----
sub write_log {
	my $name    = $FORM{'name'}    || '名無しさん';
	my $subject = $FORM{'subject'} || '（無題）';
	my $message = $FORM{'message'};
	&error('本文が入力されていません。') unless $message;

	my @logs = &read_log;
	my ($sec, $min, $hour, $mday, $mon, $year) = localtime(time);
	my $date = sprintf("%04d年%02d月%02d日 %02d時%02d分",
		$year + 1900, $mon + 1, $mday, $hour, $min);
	unshift(@logs, join('<>', $name, $subject, $message, $date, $FORM{'color'}) . "\n");
	splice(@logs, $max_logs) if @logs > $max_logs;

	open(my $out, '>', $logfile) or &error("記録ファイルに書き込めません：$!");
	print $out @logs;
	close($out);
}

# ----- 記録ファイルを読む -----
sub read_log {
	open(my $in, '<', $logfile) or return ();
	my @lines = <$in>;
	close($in);
	return @lines;
}

# ----- ページを表示する -----
sub print_page {
	my @logs  = &read_log;
	my $count = scalar(@logs);
	print "Content-type: text/html; charset=Shift_JIS\n\n";
	print <<"HTML";
<html>
<head><title>$title</title></head>
<body bgcolor="#fffff0">
<h1>$title</h1>
<p>現在の投稿数：$count 件（最大 $max_logs 件まで保存します）</p>
<form method="post" action="keijiban.cgi">
<input type="hidden" name="mode" value="write">
$labels{name}：<input type="text" name="name" size="20"><br>
$labels{subject}：<input type="text" name="subject" size="40"><br>
$labels{message}：<br><textarea name="message" rows="5" cols="50"></textarea><br>
<input type="submit" value="書き込む">　<input type="reset" value="消す">
</form>
<hr>
HTML
	foreach my $line (@logs) {
		chomp($line);
		my ($name, $subject, $message, $date, $color) = split(/<>/, $line);
		$color = $colors[0] unless grep { $_ eq ($color || '') } @colors;
		print "<p><b>$subject</b>　投稿者：$name　（$date）<br>\n";
		print "<font color=\"$color\">$message</font></p><hr>\n";
	}
	print "<p align=\"right\">ﾌﾞﾚﾝｳﾞｨｸ掲示板 Ver 1.0</p>\n";
	print "</body></html>\n";
}

# ----- エラー表示 -----
sub error {
	my $msg = shift;
	print "Content-type: text/html; charset=Shift_JIS\n\n";
	print "<html><body><h2>エラー</h2><p>$msg</p></body></html>\n";
	exit;
}
