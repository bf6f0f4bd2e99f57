REM レイヤ名の一覧
REM Tabvane のサンプル変形: 図面には何もしません。
@echo off
echo レイヤ名の一覧 (サンプル)
