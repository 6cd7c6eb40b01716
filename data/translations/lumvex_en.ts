<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>StatusMenu</name>
    <message numerus="yes">
        <source>%n content situation(s) learned</source>
        <translation>
            <numerusform>%n content situation learned</numerusform>
            <numerusform>%n content situations learned</numerusform>
        </translation>
    </message>
</context>
</TS>
